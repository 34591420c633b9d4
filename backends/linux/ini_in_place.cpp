#include "backends/linux/ini_in_place.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <optional>

#include "backends/linux/kept_errno.h"
#include "settings/settings.h"

namespace platform::ini {

namespace {

bool WriteAllAt(int fd, std::string_view bytes, off_t at) {
    while (!bytes.empty()) {
        ssize_t written = pwrite(fd, bytes.data(), bytes.size(), at);
        if (written < 0 && errno == EINTR) continue;
        if (written < 0) return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
        at += written;
    }
    return true;
}

// The file's present contents, read through the descriptor that will write it; nothing
// when it cannot be read or is no settings file at all (larger than the limit).
std::optional<std::string> PresentContents(int fd) {
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    if (static_cast<std::size_t>(info.st_size) > mScreenSaver::MaxIniFileBytes) {
        errno = EFBIG;
        return std::nullopt;
    }
    std::string bytes(static_cast<std::size_t>(info.st_size), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t got = pread(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return std::nullopt;
        // A file cut short while it was read: what is there is what it holds.
        if (got == 0) break;
        done += static_cast<std::size_t>(got);
    }
    bytes.resize(done);
    return bytes;
}

// Room for the file to grow from `from` to `to` bytes, taken without changing its length
// or any byte, so that a full disk refuses the save before anything changes. A file
// system without fallocate (ext2, NFSv3, older FUSE) gives no such room: the write then
// finds out for itself, and is undone when it runs out.
bool ReserveGrowth(int fd, std::size_t from, std::size_t to) {
    if (to <= from) return true;
    if (fallocate(fd, FALLOC_FL_KEEP_SIZE, static_cast<off_t>(from), static_cast<off_t>(to - from)) == 0)
        return true;
    return errno == EOPNOTSUPP || errno == ENOSYS;
}

// Puts back what a failed write changed: the old bytes from where it began, then the old
// length. The old bytes lie in room the file already had.
void Restore(int fd, std::string_view old, std::size_t from) {
    KeptErrno kept;
    if (WriteAllAt(fd, old.substr(from), static_cast<off_t>(from)))
        static_cast<void>(ftruncate(fd, static_cast<off_t>(old.size())) == 0);
}

bool Rewrite(int fd, std::string_view old, std::string_view bytes) {
    std::size_t first = static_cast<std::size_t>(
        std::mismatch(old.begin(), old.begin() + std::min(old.size(), bytes.size()), bytes.begin()).first -
        old.begin());
    if (first == bytes.size() && old.size() == bytes.size()) return true;
    if (!ReserveGrowth(fd, old.size(), bytes.size())) return false;
    if (!WriteAllAt(fd, bytes.substr(first), static_cast<off_t>(first))) {
        Restore(fd, old, first);
        return false;
    }
    return bytes.size() >= old.size() || ftruncate(fd, static_cast<off_t>(bytes.size())) == 0;
}

}  // namespace

bool OverwriteInPlace(const std::string& target, std::string_view bytes) {
    // Read and write: the present contents tell which bytes change.
    int fd = open(target.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0) return false;
    std::optional<std::string> old = PresentContents(fd);
    bool ok = old && Rewrite(fd, *old, bytes) && fsync(fd) == 0;
    if (!ok) {
        KeptErrno kept;
        close(fd);
        return false;
    }
    return close(fd) == 0;
}

}  // namespace platform::ini

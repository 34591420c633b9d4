#include "backends/linux/ini_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <optional>
#include <vector>

#include "settings/settings.h"

namespace platform::ini {

namespace {

constexpr mode_t AnyWrite = S_IWUSR | S_IWGRP | S_IWOTH;

bool Writable(const std::string& path, const struct stat& info) {
    return (info.st_mode & AnyWrite) != 0 && access(path.c_str(), W_OK) == 0;
}

std::string FolderOf(const std::string& path) {
    std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file that a write should change: the target of a symbolic link, else the path;
// nothing for a link that leads nowhere, which Windows too refuses to write through.
std::optional<std::string> WriteTarget(const std::string& path) {
    struct stat info;
    if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    char resolved[PATH_MAX];
    if (!realpath(path.c_str(), resolved)) return std::nullopt;
    return std::string(resolved);
}

mode_t CurrentUmask() {
    mode_t mask = umask(0);
    umask(mask);
    return mask;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t written = write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

void SyncFolder(const std::string& folder) {
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

std::string NameOf(const std::string& path) {
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Whether a folder entry is one of our temporary files for `name`: "." name "." and the
// six letters or digits mkstemp puts in.
bool IsTemporaryFor(const std::string& entry, const std::string& name) {
    std::string prefix = "." + name + ".";
    if (entry.size() != prefix.size() + 6 || entry.compare(0, prefix.size(), prefix) != 0) return false;
    for (std::size_t i = prefix.size(); i < entry.size(); ++i)
        if (!std::isalnum(static_cast<unsigned char>(entry[i]))) return false;
    return true;
}

bool Before(const struct timespec& a, const struct timespec& b) {
    return a.tv_sec < b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec < b.tv_nsec);
}

// Removes what interrupted saves of `name` left in the folder: our temporary files made
// before this save began whose lock can be taken, so that no save still writing one loses
// it (each save holds the lock on its temporary file until the file is renamed).
void RemoveStaleTemporaries(const std::string& folder, const std::string& name, const struct timespec& saveBegan) {
    DIR* listing = opendir(folder.c_str());
    if (!listing) return;
    while (const dirent* entry = readdir(listing)) {
        if (!IsTemporaryFor(entry->d_name, name)) continue;
        std::string path = folder + "/" + entry->d_name;
        int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
        if (fd < 0) continue;
        struct stat info;
        if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == geteuid() &&
            Before(info.st_mtim, saveBegan) && flock(fd, LOCK_EX | LOCK_NB) == 0)
            unlink(path.c_str());
        close(fd);
    }
    closedir(listing);
}

// A new temporary file beside the target, locked for as long as it is open; -1 when none
// can be made. A stale-file sweep of another save may remove the file between its making
// and its locking, so a file found gone once locked is made again.
int MakeLockedTemporary(std::vector<char>& name, const std::string& pattern) {
    for (int attempt = 0; attempt < 3; ++attempt) {
        name.assign(pattern.begin(), pattern.end());
        name.push_back('\0');
        int fd = mkostemp(name.data(), O_CLOEXEC);
        if (fd < 0) return -1;
        struct stat info;
        if (flock(fd, LOCK_EX) == 0 && fstat(fd, &info) == 0 && info.st_nlink > 0) return fd;
        close(fd);
    }
    return -1;
}

enum class ReplaceOutcome { Replaced, Failed, NoTemporary };

// Keeps errno across the clean-up calls that follow a failure, so that the caller learns
// what stopped the save (a full disk above all) rather than what the clean-up met.
class KeptErrno {
public:
    KeptErrno() : saved_(errno) {}
    ~KeptErrno() { errno = saved_; }

private:
    int saved_;
};

// The atomic road: a temporary file in the same folder, flushed, then renamed over the
// target, so that a crash leaves either the old or the new contents.
ReplaceOutcome ReplaceThroughTemporary(const std::string& target, const std::string& folder, std::string_view bytes,
                                       std::optional<mode_t> existingMode) {
    struct timespec saveBegan;
    clock_gettime(CLOCK_REALTIME, &saveBegan);
    std::string name = NameOf(target);
    RemoveStaleTemporaries(folder, name, saveBegan);
    std::vector<char> temporary;
    int fd = MakeLockedTemporary(temporary, folder + "/." + name + ".XXXXXX");
    if (fd < 0) return ReplaceOutcome::NoTemporary;
    mode_t mode = existingMode ? *existingMode : 0666 & ~CurrentUmask();
    bool ok = WriteAll(fd, bytes) && fchmod(fd, mode) == 0 && fsync(fd) == 0;
    ok = ok && rename(temporary.data(), target.c_str()) == 0;
    if (!ok) {
        KeptErrno kept;
        unlink(temporary.data());
        close(fd);
        return ReplaceOutcome::Failed;
    }
    if (close(fd) != 0) return ReplaceOutcome::Failed;
    SyncFolder(folder);
    return ReplaceOutcome::Replaced;
}

// Makes sure the disk holds room for a file of `oldSize` bytes to become `newSize` bytes
// long, before any byte of it changes. A reservation that fails may have lengthened the
// file; it gets its old length back.
bool ReserveRoom(int fd, off_t oldSize, std::size_t newSize) {
    off_t length = std::max(oldSize, static_cast<off_t>(newSize));
    if (length == 0) return true;
    int error = posix_fallocate(fd, 0, length);
    if (error == 0) return true;
    // Whether or not the old length comes back, the save fails for the reservation's reason.
    static_cast<void>(ftruncate(fd, oldSize) == 0);
    errno = error;
    return false;
}

// The road where no file can be made beside the target: its contents rewritten in
// place, the new bytes first and the old tail cut after, then flushed. The room is
// reserved first, so that a full disk refuses the save with the file as it was rather
// than cutting it where the write stopped.
bool OverwriteInPlace(const std::string& target, std::string_view bytes) {
    int fd = open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0) return false;
    struct stat info;
    bool ok = fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && ReserveRoom(fd, info.st_size, bytes.size()) &&
              WriteAll(fd, bytes) && ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && fsync(fd) == 0;
    if (!ok) {
        KeptErrno kept;
        close(fd);
        return false;
    }
    return close(fd) == 0;
}

// What a save of a path would change and how; nothing when the save is refused outright.
struct SavePlan {
    std::string target;
    std::string folder;
    bool folderWritable;
    // The existing file's permissions; nothing when the file is still to be made.
    std::optional<mode_t> existingMode;
};

std::optional<SavePlan> PlanSave(const std::string& path) {
    std::optional<std::string> target = WriteTarget(path);
    if (!target) return std::nullopt;
    SavePlan plan{*target, FolderOf(*target), false, std::nullopt};
    struct stat info;
    if (stat(plan.folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return std::nullopt;
    plan.folderWritable = Writable(plan.folder, info);
    if (stat(plan.target.c_str(), &info) == 0) {
        if (!S_ISREG(info.st_mode) || !Writable(plan.target, info)) return std::nullopt;
        plan.existingMode = info.st_mode & 07777;
    } else if (errno != ENOENT) {
        return std::nullopt;
    }
    return plan;
}

// The folder and every missing one above it; new ones only for the user, as the base
// directory rules ask. True when the path is a folder afterwards.
bool MakeFolders(const std::string& folder) {
    for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        std::string part = folder.substr(0, slash);
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return false;
        if (slash == std::string::npos) break;
    }
    struct stat info;
    return stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

FileIdentity FileIdentity::Of(const struct stat& info) {
    return {info.st_dev, info.st_ino, info.st_size, info.st_mtim, info.st_ctim};
}

bool FileIdentity::operator==(const FileIdentity& other) const {
    auto same = [](const struct timespec& a, const struct timespec& b) {
        return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
    };
    return device == other.device && inode == other.inode && size == other.size &&
           same(modified, other.modified) && same(changed, other.changed);
}

FileContents ReadWholeFile(const std::string& path, std::size_t maxBytes) {
    // Without blocking: a pipe or device in the file's place must not hang the saver.
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return {errno == ENOENT || errno == ENOTDIR ? FileContents::Missing
                                                    : FileContents::Unreadable,
                {}};
    }
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || static_cast<std::size_t>(info.st_size) > maxBytes) {
        close(fd);
        return {FileContents::Unreadable, {}};
    }
    FileContents contents{FileContents::Read, {}, FileIdentity::Of(info)};
    char chunk[65536];
    for (;;) {
        ssize_t got = read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) contents.outcome = FileContents::Unreadable;
        if (got <= 0) break;
        contents.bytes.append(chunk, static_cast<std::size_t>(got));
        // A file that grew while it was read.
        if (contents.bytes.size() > maxBytes) {
            contents.outcome = FileContents::Unreadable;
            break;
        }
    }
    close(fd);
    return contents;
}

bool CanSave(const std::string& path) {
    std::optional<SavePlan> plan = PlanSave(path);
    return plan && (plan->existingMode || plan->folderWritable);
}

bool SaveFile(const std::string& path, std::string_view bytes) {
    std::optional<SavePlan> plan = PlanSave(path);
    if (!plan) {
        errno = EACCES;
        return false;
    }
    if (plan->folderWritable) {
        ReplaceOutcome outcome =
            ReplaceThroughTemporary(plan->target, plan->folder, bytes, plan->existingMode);
        if (outcome != ReplaceOutcome::NoTemporary) return outcome == ReplaceOutcome::Replaced;
    }
    // As Windows does: a file that can be written is written in place, even where no file
    // can be made beside it. Without a file, what stopped the temporary one stands.
    return plan->existingMode && OverwriteInPlace(plan->target, bytes);
}

bool SeedFile(const std::string& to, const std::string& from) {
    std::size_t slash = to.rfind('/');
    if (slash == std::string::npos || slash == 0 || !MakeFolders(to.substr(0, slash))) return false;
    struct stat info;
    if (lstat(to.c_str(), &info) == 0) return true;
    FileContents original = ReadWholeFile(from, mScreenSaver::MaxIniFileBytes);
    if (original.outcome == FileContents::Missing) return true;
    // SaveFile gives a new file the user's usual permissions, not those of the original.
    return original.outcome == FileContents::Read && SaveFile(to, original.bytes);
}

}  // namespace platform::ini

#include "backends/linux/ini_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <vector>

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

// The file that a write should replace: the target of a symbolic link, else the path.
std::string WriteTarget(const std::string& path) {
    struct stat info;
    if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    char resolved[PATH_MAX];
    return realpath(path.c_str(), resolved) ? std::string(resolved) : path;
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

}  // namespace

FileContents ReadWholeFile(const std::string& path) {
    // Without blocking: a pipe or device in the file's place must not hang the saver.
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return {errno == ENOENT || errno == ENOTDIR ? FileContents::Missing
                                                    : FileContents::Unreadable,
                {}};
    }
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return {FileContents::Unreadable, {}};
    }
    FileContents contents{FileContents::Read, {}};
    char chunk[65536];
    for (;;) {
        ssize_t got = read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) contents.outcome = FileContents::Unreadable;
        if (got <= 0) break;
        contents.bytes.append(chunk, static_cast<std::size_t>(got));
    }
    close(fd);
    return contents;
}

bool ReplaceFileAtomically(const std::string& path, std::string_view bytes) {
    std::string target = WriteTarget(path);
    std::string folder = FolderOf(target);

    struct stat info;
    if (stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || !Writable(folder, info)) {
        return false;
    }
    mode_t mode = 0666 & ~CurrentUmask();
    if (stat(target.c_str(), &info) == 0) {
        if (!S_ISREG(info.st_mode) || !Writable(target, info)) return false;
        mode = info.st_mode & 07777;
    } else if (errno != ENOENT) {
        return false;
    }

    std::size_t slash = target.rfind('/');
    std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    std::string pattern = folder + "/." + name + ".XXXXXX";
    std::vector<char> temporary(pattern.begin(), pattern.end());
    temporary.push_back('\0');
    int fd = mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) return false;

    bool ok = WriteAll(fd, bytes) && fchmod(fd, mode) == 0 && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    ok = ok && rename(temporary.data(), target.c_str()) == 0;
    if (!ok) {
        unlink(temporary.data());
        return false;
    }
    SyncFolder(folder);
    return true;
}

}  // namespace platform::ini

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

#include "backends/linux/ini_in_place.h"
#include "backends/linux/kept_errno.h"
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

// What a save of a path would change and how; nothing when the save is refused outright.
struct SavePlan {
    std::string target;
    std::string folder;
    bool folderWritable;
    // Whether the existing file has other names, which a replacement would cut off.
    bool linked;
    // The existing file's permissions; nothing when the file is still to be made.
    std::optional<mode_t> existingMode;
};

std::optional<SavePlan> PlanSave(const std::string& path) {
    std::optional<std::string> target = WriteTarget(path);
    if (!target) return std::nullopt;
    SavePlan plan{*target, FolderOf(*target), false, false, std::nullopt};
    struct stat info;
    if (stat(plan.folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return std::nullopt;
    plan.folderWritable = Writable(plan.folder, info);
    if (stat(plan.target.c_str(), &info) == 0) {
        if (!S_ISREG(info.st_mode) || !Writable(plan.target, info)) return std::nullopt;
        plan.existingMode = info.st_mode & 07777;
        plan.linked = info.st_nlink > 1;
    } else if (errno != ENOENT) {
        return std::nullopt;
    }
    return plan;
}

// The folder and every missing one above it; new ones only for the user, as the base
// directory rules ask, each noted in `made`. True when the path is a folder afterwards.
bool MakeFolders(const std::string& folder, std::vector<std::string>& made) {
    for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        std::string part = folder.substr(0, slash);
        if (mkdir(part.c_str(), 0700) == 0) {
            made.push_back(part);
        } else if (errno != EEXIST) {
            return false;
        }
        if (slash == std::string::npos) break;
    }
    struct stat info;
    return stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// Takes away the folders a failed first save made, deepest first.
void RemoveFolders(const std::vector<std::string>& made) {
    KeptErrno kept;
    for (auto folder = made.rbegin(); folder != made.rend(); ++folder) rmdir(folder->c_str());
}

platform::SeedOutcome SeedFailure() {
    return errno == ENOSPC || errno == EDQUOT ? platform::SeedOutcome::DiskFull : platform::SeedOutcome::Failed;
}

platform::SeedOutcome SeedFrom(const std::string& to, const std::string& from) {
    FileContents original = ReadWholeFile(from, mScreenSaver::MaxIniFileBytes);
    switch (original.outcome) {
    case FileContents::Missing: return platform::SeedOutcome::Ready;
    case FileContents::NoRegularFile: return platform::SeedOutcome::SourceNoFile;
    case FileContents::TooLarge: return platform::SeedOutcome::SourceTooLarge;
    case FileContents::Unreadable: return platform::SeedOutcome::Failed;
    case FileContents::Read: break;
    }
    // SaveFile gives a new file the user's usual permissions, not those of the original.
    return SaveFile(to, original.bytes) ? platform::SeedOutcome::Ready : SeedFailure();
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
                : errno == ELOOP                    ? FileContents::NoRegularFile
                                                    : FileContents::Unreadable,
                {},
                {}};
    }
    struct stat info;
    FileContents::Outcome refused = fstat(fd, &info) != 0        ? FileContents::Unreadable
                                    : !S_ISREG(info.st_mode)     ? FileContents::NoRegularFile
                                    : static_cast<std::size_t>(info.st_size) > maxBytes ? FileContents::TooLarge
                                                                 : FileContents::Read;
    if (refused != FileContents::Read) {
        close(fd);
        return {refused, {}, {}};
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
            contents.outcome = FileContents::TooLarge;
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

bool SaveFile(const std::string& path, std::string_view bytes) { return SaveFile(path, bytes, bytes); }

bool SaveFile(const std::string& path, std::string_view bytes, std::string_view inPlace) {
    std::optional<SavePlan> plan = PlanSave(path);
    if (!plan) {
        errno = EACCES;
        return false;
    }
    if (plan->folderWritable && !plan->linked) {
        ReplaceOutcome outcome =
            ReplaceThroughTemporary(plan->target, plan->folder, bytes, plan->existingMode);
        if (outcome != ReplaceOutcome::NoTemporary) return outcome == ReplaceOutcome::Replaced;
    }
    // As Windows does: a file that can be written is written in place, even where no file
    // can be made beside it. Without a file, what stopped the temporary one stands.
    return plan->existingMode && OverwriteInPlace(plan->target, inPlace);
}

platform::SeedOutcome SeedFile(const std::string& to, const std::string& from) {
    std::size_t slash = to.rfind('/');
    if (slash == std::string::npos || slash == 0) return platform::SeedOutcome::Failed;
    std::vector<std::string> made;
    if (!MakeFolders(to.substr(0, slash), made)) {
        platform::SeedOutcome outcome = SeedFailure();
        RemoveFolders(made);
        return outcome;
    }
    struct stat info;
    if (lstat(to.c_str(), &info) == 0) return platform::SeedOutcome::Ready;
    platform::SeedOutcome outcome = SeedFrom(to, from);
    if (outcome == platform::SeedOutcome::DiskFull || outcome == platform::SeedOutcome::Failed) RemoveFolders(made);
    return outcome;
}

}  // namespace platform::ini

// Whole-file reads, saving a file's contents (where possible so that a crash can never
// leave it half written: a temporary file in the same folder, flushed, renamed), and
// starting a file as a copy of another.
#pragma once
#include <sys/stat.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace platform::ini {

// What tells one state of a file from another: which file it is, its size and the times
// its contents and its entry last changed.
struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    struct timespec modified = {};
    struct timespec changed = {};

    static FileIdentity Of(const struct stat& info);
    bool operator==(const FileIdentity& other) const;
};

struct FileContents {
    enum Outcome { Read, Missing, Unreadable } outcome;
    std::string bytes;
    // The file that was read, as it was when it was opened.
    FileIdentity identity;
};

// Only a regular file is read, without blocking; one larger than maxBytes is Unreadable.
FileContents ReadWholeFile(const std::string& path, std::size_t maxBytes = std::string().max_size());

// Writes the file's whole contents; false, with the file untouched and errno telling why
// (ENOSPC for a full disk, EACCES for a refusal), when the file is read-only (for root as
// well: a file without any write permission counts as read-only, like the Windows
// read-only attribute), when it is missing and cannot be made, or anything else fails.
// Where the folder lets a file be made beside it, the contents are replaced atomically
// through a temporary file (the leftovers of saves interrupted before are removed then);
// otherwise, as Windows does, an existing file is written in place, once the disk has room
// for all of it. A symbolic link is written through to its target, one that leads nowhere
// is refused; an existing file keeps its permissions.
bool SaveFile(const std::string& path, std::string_view bytes);

// True when SaveFile would be let through to the file: an existing one that may be
// written, or a missing one whose folder lets it be made.
bool CanSave(const std::string& path);

// Makes the folders leading to `to`, new ones for the user alone; then, unless `to` exists
// (as anything), saves every byte of `from` as `to`, which gets the user's usual
// permissions. True when all that was done, or nothing was to be copied because `from` is
// missing; false when a folder cannot be made or `from` cannot be read (or is larger than
// MaxIniFileBytes) or saved, leaving no copy behind.
bool SeedFile(const std::string& to, const std::string& from);

}  // namespace platform::ini

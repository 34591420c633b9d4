// Whole-file reads, saving a file's contents so that a crash can never leave it half
// written (a temporary file in the same folder, flushed, renamed; or one write in place),
// and starting a file as a copy of another.
#pragma once
#include <sys/stat.h>

#include <cstddef>
#include <string>
#include <string_view>

#include "seams/toolkit.h"

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
    // NoRegularFile: a folder, a device, a pipe or a loop of symbolic links.
    enum Outcome { Read, Missing, NoRegularFile, TooLarge, Unreadable } outcome;
    std::string bytes;
    // The file that was read, as it was when it was opened.
    FileIdentity identity;
};

// Only a regular file is read, without blocking; one larger than maxBytes is TooLarge.
FileContents ReadWholeFile(const std::string& path, std::size_t maxBytes = std::string().max_size());

// Writes the file's whole contents; false, with the file untouched and errno telling why
// (ENOSPC for a full disk, EACCES for a refusal), when the file is read-only (for root as
// well: a file without any write permission counts as read-only, like the Windows
// read-only attribute), when it is missing and cannot be made, or anything else fails.
// Where the folder lets a file be made beside it, the contents are replaced atomically
// through a temporary file (the leftovers of saves interrupted before are removed then);
// otherwise, as Windows does, and for a file with other names (hard links) that a
// replacement would cut off, an existing file is written in place (see ini_in_place.h),
// with `inPlace`: the same contents, padded where needed so that they are no shorter than
// the file. A symbolic link is written through to its target, one that leads nowhere is
// refused; an existing file keeps its permissions.
bool SaveFile(const std::string& path, std::string_view bytes, std::string_view inPlace);
// As above, with the same bytes on both roads.
bool SaveFile(const std::string& path, std::string_view bytes);

// True when SaveFile would be let through to the file: an existing one that may be
// written, or a missing one whose folder lets it be made.
bool CanSave(const std::string& path);

// Makes the folders leading to `to`, new ones for the user alone; then, unless `to` exists
// (as anything), saves every byte of `from` as `to`, which gets the user's usual
// permissions. A `from` that is no regular file or larger than MaxIniFileBytes is not
// copied and says so; the folders stay, for a file without its lines. When a folder
// cannot be made or `from` cannot be read or saved, the folders made are taken away again.
platform::SeedOutcome SeedFile(const std::string& to, const std::string& from);

}  // namespace platform::ini

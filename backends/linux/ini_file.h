// Whole-file reads, and saving a file's contents: where possible so that a crash can
// never leave it half written (a temporary file in the same folder, flushed, renamed).
#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace platform::ini {

struct FileContents {
    enum Outcome { Read, Missing, Unreadable } outcome;
    std::string bytes;
};

// Only a regular file is read, without blocking; one larger than maxBytes is Unreadable.
FileContents ReadWholeFile(const std::string& path, std::size_t maxBytes = std::string().max_size());

// Writes the file's whole contents; false, with the file untouched, when the file is
// read-only (for root as well: a file without any write permission counts as read-only,
// like the Windows read-only attribute), when it is missing and cannot be made, or
// anything else fails. Where the folder lets a file be made beside it, the contents are
// replaced atomically through a temporary file (the leftovers of saves interrupted before
// are removed then); otherwise, as Windows does, an existing file is written in place. A
// symbolic link is written through to its target, one that leads nowhere is refused; an
// existing file keeps its permissions.
bool SaveFile(const std::string& path, std::string_view bytes);

}  // namespace platform::ini

// Whole-file reads, and the replacement of a file's contents that a crash can never
// leave half written: a temporary file in the same folder, flushed, then renamed.
#pragma once
#include <string>
#include <string_view>

namespace platform::ini {

struct FileContents {
    enum Outcome { Read, Missing, Unreadable } outcome;
    std::string bytes;
};

FileContents ReadWholeFile(const std::string& path);

// False, with the file untouched, when the folder or the file is read-only (for root as
// well: a file or folder without any write permission counts as read-only, like the
// Windows read-only attribute) or anything else fails. A symbolic link is written
// through to its target; an existing file keeps its permissions.
bool ReplaceFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace platform::ini

// Rewriting an existing file in place, for where no file can be made beside it or the file
// has other names (hard links) that a replacement would cut off.
#pragma once
#include <string>
#include <string_view>

namespace platform::ini {

// Turns the file's contents into `bytes` with one write of the part that changes, so that
// a process killed at any point leaves the old or the new contents, byte for byte. Room
// for a longer file is reserved first where the file system can (fallocate); where it
// cannot, a write that runs out of room is undone. A `bytes` shorter than the file (the
// callers pad theirs; see Document::BytesOfAtLeast) is written and the tail cut after.
// False, with the file as it was and errno telling why, when any of it fails.
bool OverwriteInPlace(const std::string& target, std::string_view bytes);

}  // namespace platform::ini

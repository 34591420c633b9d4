// The private profile functions over our own INI code, with the Windows semantics that
// the settings store relies on. The Linux backend of the Windows functions forwards to
// these.
#pragma once
#include <cstdint>

#include "backends/linux/ini_parsed_file.h"

namespace platform::ini {

// Copies the value of key in section of file into buffer, cut to size - 1 characters,
// and returns the number of characters copied. A missing file, section or key, or a file
// larger than MaxIniFileBytes, gives defaultText without its trailing spaces.
// Listing the sections or keys (a null section or key) is not offered: it gives the
// default as well.
// The file is read through `parsed`, which keeps it parsed while it stays as it was.
std::uint32_t GetProfileString(const char* section, const char* key, const char* defaultText,
                               char* buffer, std::uint32_t size, const char* file, ParsedFile& parsed);

// Sets the value of key in section, creating the file, the section or the key when
// missing, and keeps every other line byte for byte; the file is replaced atomically.
// Returns 1, or 0 with errno telling why (ENOSPC for a full disk, EINVAL for arguments)
// when the file cannot be written or an argument is missing or would break the file's
// structure (a line break anywhere, a key with "=" or starting with "[", an empty key).
// Deleting with a null value is not offered.
std::int32_t WriteProfileString(const char* section, const char* key, const char* value,
                                const char* file);

}  // namespace platform::ini

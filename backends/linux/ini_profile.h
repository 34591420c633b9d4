// The private profile functions over our own INI code, with the Windows semantics that
// the settings store relies on. The Linux backend of the Windows functions forwards to
// these.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "backends/linux/ini_document.h"
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

// The writes of one file, gathered and then saved as one, so that they land together or
// not at all: what a file's cache is to the Windows profile functions, which a write with
// only the file named flushes.
class ProfileWrites {
public:
    // Sets the value of key in section, creating the file, the section or the key when
    // missing, and keeps every other line byte for byte; the file is read at the first
    // write, and a write to another file saves the gathered ones first. Returns 1, or 0
    // with errno telling why (EINVAL for arguments: missing, or breaking the file's
    // structure with a line break anywhere, a key with "=" or starting with "[", an empty
    // key; EFBIG for an existing file larger than MaxIniFileBytes, EIO for one that cannot
    // be read). Deleting with a null value is not offered.
    std::int32_t Write(const char* section, const char* key, const char* value, const char* file);
    // Saves what was gathered as one file: 1, also when nothing waits, or 0 with errno
    // telling why (ENOSPC for a full disk, EFBIG when the result would be larger than
    // MaxIniFileBytes) and the file as it was; a file that was to be made leaves no empty
    // folder behind (a first per-user save's, made for it). Either way nothing waits
    // afterwards.
    std::int32_t Save();
    // Whether writes to the file wait to be saved.
    bool Waiting(const char* file) const;

private:
    std::string path_;
    std::optional<Document> document_;
    // The size the file had when read, and the entry written last, where a save in place
    // puts the blanks that keep the file from shrinking.
    std::size_t readSize_ = 0;
    bool newFile_ = false;
    std::string lastSection_;
    std::string lastKey_;
};

// One write saved at once.
std::int32_t WriteProfileString(const char* section, const char* key, const char* value,
                                const char* file);

}  // namespace platform::ini

#include "backends/linux/ini_profile.h"

#include <cerrno>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <unistd.h>

#include "backends/linux/ini_document.h"
#include "backends/linux/ini_file.h"
#include "backends/linux/kept_errno.h"
#include "settings/settings.h"

namespace platform::ini {

namespace {

std::uint32_t CopyCut(std::string_view text, char* buffer, std::uint32_t size) {
    std::size_t n = text.size() < size ? text.size() : size - 1;
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return static_cast<std::uint32_t>(n);
}

std::optional<std::string> StoredValue(const char* section, const char* key, const char* file,
                                       ParsedFile& parsed) {
    if (!section || !key || !file) return std::nullopt;
    const Document* document = parsed.Read(file);
    if (!document) return std::nullopt;
    return document->Find(section, key);
}

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != text.npos; }

bool FitsOnItsLine(const char* section, const char* key, const char* value) {
    std::string_view k = TrimProfileBlanks(key);
    return !HasLineBreak(section) && !HasLineBreak(key) && !HasLineBreak(value) && !k.empty() &&
           k.find('=') == k.npos && k.front() != '[';
}

}  // namespace

std::uint32_t GetProfileString(const char* section, const char* key, const char* defaultText,
                               char* buffer, std::uint32_t size, const char* file, ParsedFile& parsed) {
    if (!buffer || size == 0) return 0;
    if (std::optional<std::string> value = StoredValue(section, key, file, parsed)) {
        return CopyCut(*value, buffer, size);
    }
    std::string_view fallback = defaultText ? defaultText : "";
    while (!fallback.empty() && fallback.back() == ' ') fallback.remove_suffix(1);
    return CopyCut(fallback, buffer, size);
}

std::int32_t ProfileWrites::Write(const char* section, const char* key, const char* value, const char* file) {
    if (!section || !key || !value || !file || !FitsOnItsLine(section, key, value)) {
        errno = EINVAL;
        return 0;
    }
    if (!Waiting(file)) {
        Save();
        FileContents contents = ReadWholeFile(file, mScreenSaver::MaxIniFileBytes);
        // An existing file that cannot be read must not be replaced by a new one.
        if (contents.outcome != FileContents::Read && contents.outcome != FileContents::Missing) {
            errno = contents.outcome == FileContents::TooLarge ? EFBIG : EIO;
            return 0;
        }
        path_ = file;
        readSize_ = contents.bytes.size();
        newFile_ = contents.outcome == FileContents::Missing;
        document_.emplace(contents.bytes);
    }
    document_->Set(section, key, value);
    lastSection_ = section;
    lastKey_ = key;
    return 1;
}

std::int32_t ProfileWrites::Save() {
    if (!document_) return 1;
    std::string bytes = document_->Bytes();
    std::string inPlace = document_->BytesOfAtLeast(readSize_, lastSection_, lastKey_);
    document_.reset();
    // Refused whole before anything is written: a file over the limit would read as missing.
    if (bytes.size() > mScreenSaver::MaxIniFileBytes) {
        errno = EFBIG;
        return 0;
    }
    if (SaveFile(path_, bytes, inPlace)) return 1;
    if (newFile_) {
        KeptErrno kept;
        std::size_t slash = path_.rfind('/');
        if (slash != std::string::npos && slash > 0) rmdir(path_.substr(0, slash).c_str());
    }
    return 0;
}

bool ProfileWrites::Waiting(const char* file) const { return document_ && file && path_ == file; }

std::int32_t WriteProfileString(const char* section, const char* key, const char* value,
                                const char* file) {
    ProfileWrites writes;
    return writes.Write(section, key, value, file) ? writes.Save() : 0;
}

}  // namespace platform::ini

// An INI file as the profile functions see it: bytes, or UTF-16 text when the file starts
// with a UTF-16 byte-order mark (as Windows reads and writes such files), each kept in
// its own encoding so that setting one value leaves every other byte as it was.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "backends/linux/ini_text.h"

namespace platform::ini {

class Document {
public:
    explicit Document(std::string_view bytes);

    // The value of the first key named `key` in the first section named `section`,
    // without surrounding blanks or quotes; nothing when there is no such key, or when the
    // first such line has no "=". From a UTF-16 file, a character beyond one byte comes
    // out as "?", as the ANSI profile functions give it.
    std::optional<std::string> Find(std::string_view section, std::string_view key) const;

    // Replaces the value of that key, or adds the key at the end of the section's
    // entries, or the section with the key at the end of the file. The caller passes
    // texts without line breaks and a key that neither holds "=" nor starts with "[";
    // into a UTF-16 file each byte goes as the character of that number.
    void Set(std::string_view section, std::string_view key, std::string_view value);

    std::string Bytes() const;
    // The bytes, lengthened where they are shorter than `size` by blanks after the value
    // of `key` in `section`, which readers take off: a file rewritten in place then never
    // shrinks, and one write turns the old contents into the new.
    std::string BytesOfAtLeast(std::size_t size, std::string_view section, std::string_view key) const;

private:
    std::variant<IniText<char>, IniText<char16_t>> text_;
    bool bigEndian_ = false;
    // A UTF-16 file's last byte when it has no partner.
    std::string oddByte_;
};

}  // namespace platform::ini

// An INI file held as its lines, each keeping its own line break, so that setting one
// value leaves every other byte of the file as it was. Look-ups follow the Windows
// profile functions: letter case and surrounding blanks do not matter, the first
// section and the first key of a name win, and surrounding quotes come off a value.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::ini {

class Document {
public:
    explicit Document(std::string_view bytes);

    // The value of the first key named `key` in the first section named `section`,
    // without surrounding blanks or quotes; empty when there is no such key, or when the
    // first such line has no "=".
    std::optional<std::string> Find(std::string_view section, std::string_view key) const;

    // Replaces the value of that key, or adds the key at the end of the section's
    // entries, or the section with the key at the end of the file. The caller passes
    // texts without line breaks and a key that neither holds "=" nor starts with "[".
    void Set(std::string_view section, std::string_view key, std::string_view value);

    std::string Bytes() const;

private:
    struct Line {
        std::string text;
        std::string lineBreak;  // "\r\n", "\n", "\r", or empty for a last line without one
    };

    std::optional<std::size_t> FindSection(std::string_view name) const;
    std::size_t SectionEnd(std::size_t header) const;
    std::optional<std::size_t> FindKey(std::size_t header, std::string_view key) const;
    void ReplaceValue(std::size_t index, std::string_view value);
    void InsertLine(std::size_t index, std::string text);

    std::string byteOrderMark_;
    std::vector<Line> lines_;
    // The break that new lines get: the file's first one, or the Windows "\r\n".
    std::string newLineBreak_;
};

// Profile blanks: tab, line feed, vertical tab, form feed, carriage return, the DOS end
// of file mark ^Z, and space.
bool IsProfileBlank(char c);
std::string_view TrimProfileBlanks(std::string_view text);

}  // namespace platform::ini

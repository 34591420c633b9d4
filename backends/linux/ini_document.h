// An INI file held as its bytes, one string and nothing per line (a file of empty lines
// costs no more than its size), so that setting one value leaves every other byte of the
// file as it was. Look-ups follow the Windows
// profile functions: letter case and surrounding blanks do not matter, the first
// section and the first key of a name win, and surrounding quotes come off a value.
#pragma once
#include <optional>
#include <string>
#include <string_view>

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
    // Where a line lies in bytes_: its text from begin to end, its line break ("\r\n",
    // "\n", "\r", or none for a last line without one) from end to next.
    struct Line {
        std::size_t begin;
        std::size_t end;
        std::size_t next;
        std::string_view Text(const std::string& bytes) const {
            return std::string_view(bytes).substr(begin, end - begin);
        }
        bool HasBreak() const { return next > end; }
    };

    // The line that starts at `begin`; nothing at the end of the bytes.
    std::optional<Line> LineAt(std::size_t begin) const;
    std::optional<Line> FindSection(std::string_view name) const;
    std::optional<Line> FindKey(const Line& header, std::string_view key) const;
    void ReplaceValue(const Line& line, std::string_view value);
    // Puts a new line at `at`, the start of a line or the end of the bytes.
    void InsertLine(std::size_t at, std::string_view text);

    std::string bytes_;
    // Where the lines begin: after a UTF-8 byte-order mark, when the file has one.
    std::size_t bodyBegin_ = 0;
    // The break that new lines get: the file's first one, or the Windows "\r\n".
    std::string newLineBreak_;
};

// Profile blanks: tab, line feed, vertical tab, form feed, carriage return, the DOS end
// of file mark ^Z, and space.
bool IsProfileBlank(char c);
std::string_view TrimProfileBlanks(std::string_view text);

}  // namespace platform::ini

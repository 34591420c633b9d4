// The lines of an INI file in its own code units (bytes, or the 16-bit units of a UTF-16
// file), held as one string and nothing per line (a file of empty lines costs no more than
// its size), so that setting one value leaves every other unit as it was. Look-ups follow
// the Windows profile functions: letter case and surrounding blanks do not matter, the
// first section and the first key of a name win, and surrounding quotes come off a value.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace platform::ini {

template <typename Unit>
class IniText {
public:
    using Text = std::basic_string<Unit>;
    using View = std::basic_string_view<Unit>;

    // The lines begin at `body`: after a byte-order mark kept as it is.
    IniText(Text units, std::size_t body);

    // The value of the first key named `key` in the first section named `section`,
    // without surrounding blanks or quotes; nothing when there is no such key, or when the
    // first such line has no "=".
    std::optional<Text> Find(View section, View key) const;
    // Replaces the value of that key, or adds the key at the end of the section's entries,
    // or the section with the key at the end of the file.
    void Set(View section, View key, View value);
    // Puts `count` blanks after the value of that key, which readers take off again;
    // nothing when there is no such key.
    void PadValue(View section, View key, std::size_t count);
    const Text& Units() const { return units_; }

private:
    // Where a line lies: its text from begin to end, its line break ("\r\n", "\n", "\r",
    // or none for a last line without one) from end to next.
    struct Line {
        std::size_t begin;
        std::size_t end;
        std::size_t next;
    };

    View TextOf(const Line& line) const { return View(units_).substr(line.begin, line.end - line.begin); }
    // The line that starts at `begin`; nothing at the end of the units.
    std::optional<Line> LineAt(std::size_t begin) const;
    std::optional<Line> FindSection(View name) const;
    std::optional<Line> FindKey(const Line& header, View key) const;
    void ReplaceValue(const Line& line, View value);
    // Puts a new line at `at`, the start of a line or the end of the units.
    void InsertLine(std::size_t at, const Text& text);

    Text units_;
    std::size_t body_;
    // The break that new lines get: the file's first one, or the Windows "\r\n".
    Text newLineBreak_;
};

extern template class IniText<char>;
extern template class IniText<char16_t>;

// Profile blanks: tab, line feed, vertical tab, form feed, carriage return, the DOS end
// of file mark ^Z, and space.
template <typename Unit>
bool IsProfileBlank(Unit c) {
    return (c >= Unit('\t') && c <= Unit('\r')) || c == Unit('\x1A') || c == Unit(' ');
}

template <typename Unit>
std::basic_string_view<Unit> TrimProfileBlanks(std::basic_string_view<Unit> text) {
    while (!text.empty() && IsProfileBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsProfileBlank(text.back())) text.remove_suffix(1);
    return text;
}

inline std::string_view TrimProfileBlanks(std::string_view text) { return TrimProfileBlanks<char>(text); }

}  // namespace platform::ini

#include "backends/linux/ini_text.h"

#include <algorithm>

namespace platform::ini {

namespace {

template <typename Unit>
using View = std::basic_string_view<Unit>;

// The texts the lines are made of, in any code unit: all of them ASCII.
template <typename Unit>
std::basic_string<Unit> FromAscii(std::string_view ascii) {
    return std::basic_string<Unit>(ascii.begin(), ascii.end());
}

template <typename Unit>
Unit LowerAscii(Unit c) {
    return c >= Unit('A') && c <= Unit('Z') ? static_cast<Unit>(c - Unit('A') + Unit('a')) : c;
}

template <typename Unit>
bool SameName(View<Unit> a, View<Unit> b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](Unit x, Unit y) { return LowerAscii(x) == LowerAscii(y); });
}

// The name of a section header line: the trimmed text between "[" and the last "]".
template <typename Unit>
std::optional<View<Unit>> SectionName(View<Unit> line) {
    View<Unit> t = TrimProfileBlanks(line);
    if (t.empty() || t.front() != Unit('[')) return std::nullopt;
    std::size_t close = t.rfind(Unit(']'));
    if (close == View<Unit>::npos || close == 0) return std::nullopt;
    return TrimProfileBlanks(t.substr(1, close - 1));
}

// The key of an entry line: the trimmed text before the first "=", or the whole trimmed
// line when it has none.
template <typename Unit>
View<Unit> KeyName(View<Unit> line) {
    return TrimProfileBlanks(line.substr(0, line.find(Unit('='))));
}

template <typename Unit>
bool IsBlank(View<Unit> line) {
    return TrimProfileBlanks(line).empty();
}

// A value as the profile functions hand it out: blanks off, the text ends at a zero, and
// one pair of matching surrounding quotes comes off.
template <typename Unit>
std::basic_string<Unit> ValueText(View<Unit> raw) {
    View<Unit> v = TrimProfileBlanks(raw);
    v = v.substr(0, v.find(Unit('\0')));
    if (v.size() >= 2 && (v.front() == Unit('"') || v.front() == Unit('\'')) && v.back() == v.front()) {
        v = v.substr(1, v.size() - 2);
    }
    return std::basic_string<Unit>(v);
}

template <typename Unit>
bool EndsWith(View<Unit> text, std::string_view ascii) {
    return text.size() >= ascii.size() && text.substr(text.size() - ascii.size()) == View<Unit>(FromAscii<Unit>(ascii));
}

}  // namespace

template <typename Unit>
IniText<Unit>::IniText(Text units, std::size_t body) : units_(std::move(units)), body_(body) {
    std::optional<Line> withBreak = LineAt(body_);
    while (withBreak && withBreak->next == withBreak->end) withBreak = LineAt(withBreak->next);
    newLineBreak_ = withBreak ? units_.substr(withBreak->end, withBreak->next - withBreak->end) : FromAscii<Unit>("\r\n");
}

template <typename Unit>
auto IniText<Unit>::Find(View section, View key) const -> std::optional<Text> {
    std::optional<Line> header = FindSection(section);
    if (!header) return std::nullopt;
    std::optional<Line> line = FindKey(*header, key);
    if (!line) return std::nullopt;
    View text = TextOf(*line);
    std::size_t equals = text.find(Unit('='));
    if (equals == View::npos) return std::nullopt;
    return ValueText(text.substr(equals + 1));
}

template <typename Unit>
void IniText<Unit>::Set(View section, View key, View value) {
    View sectionName = TrimProfileBlanks(section);
    View keyName = TrimProfileBlanks(key);
    Text entry = Text(keyName) + Unit('=') + Text(value);

    std::optional<Line> header = FindSection(sectionName);
    if (!header) {
        InsertLine(units_.size(), Unit('[') + Text(sectionName) + Unit(']'));
        InsertLine(units_.size(), entry);
        return;
    }
    if (std::optional<Line> line = FindKey(*header, keyName)) {
        ReplaceValue(*line, value);
        return;
    }
    // After the section's last entry or comment, ahead of the blank lines that part it
    // from the next section.
    Line last = *header;
    for (std::optional<Line> line = LineAt(header->next); line && !SectionName(TextOf(*line));
         line = LineAt(line->next)) {
        if (!IsBlank(TextOf(*line))) last = *line;
    }
    InsertLine(last.next, entry);
}

template <typename Unit>
void IniText<Unit>::PadValue(View section, View key, std::size_t count) {
    std::optional<Line> header = FindSection(section);
    std::optional<Line> line = header ? FindKey(*header, key) : std::nullopt;
    if (line) units_.insert(line->end, count, Unit(' '));
}

// A line ends at "\r\n", "\n" or a lone "\r", as it does for Windows.
template <typename Unit>
auto IniText<Unit>::LineAt(std::size_t begin) const -> std::optional<Line> {
    if (begin >= units_.size()) return std::nullopt;
    std::size_t end = units_.find_first_of(FromAscii<Unit>("\r\n"), begin);
    if (end == Text::npos) return Line{begin, units_.size(), units_.size()};
    std::size_t breakLength = units_.compare(end, 2, FromAscii<Unit>("\r\n")) == 0 ? 2 : 1;
    return Line{begin, end, end + breakLength};
}

template <typename Unit>
auto IniText<Unit>::FindSection(View name) const -> std::optional<Line> {
    View wanted = TrimProfileBlanks(name);
    for (std::optional<Line> line = LineAt(body_); line; line = LineAt(line->next)) {
        std::optional<View> found = SectionName(TextOf(*line));
        if (found && SameName(*found, wanted)) return line;
    }
    return std::nullopt;
}

template <typename Unit>
auto IniText<Unit>::FindKey(const Line& header, View key) const -> std::optional<Line> {
    View wanted = TrimProfileBlanks(key);
    for (std::optional<Line> line = LineAt(header.next); line && !SectionName(TextOf(*line));
         line = LineAt(line->next)) {
        View text = TextOf(*line);
        if (!IsBlank(text) && SameName(KeyName(text), wanted)) return line;
    }
    return std::nullopt;
}

// Keeps the line's key as written, with its spacing up to where the old value began.
template <typename Unit>
void IniText<Unit>::ReplaceValue(const Line& line, View value) {
    View text = TextOf(line);
    std::size_t equals = text.find(Unit('='));
    Text replacement;
    if (equals == View::npos) {
        std::size_t end = text.size();
        while (end > 0 && IsProfileBlank(text[end - 1])) --end;
        replacement = Text(text.substr(0, end)) + Unit('=');
    } else {
        std::size_t valueStart = equals + 1;
        if (!TrimProfileBlanks(text.substr(valueStart)).empty()) {
            while (IsProfileBlank(text[valueStart])) ++valueStart;
        }
        replacement = Text(text.substr(0, valueStart));
    }
    replacement += value;
    units_.replace(line.begin, line.end - line.begin, replacement);
}

// The new line takes over the break of the line before it, so that a file that ended
// without a final line break still does.
template <typename Unit>
void IniText<Unit>::InsertLine(std::size_t at, const Text& text) {
    View before = View(units_).substr(body_, at - body_);
    Text inserted;
    Text lineBreak = newLineBreak_;
    if (!before.empty()) {
        lineBreak = EndsWith(before, "\r\n") ? FromAscii<Unit>("\r\n")
                    : EndsWith(before, "\n") ? FromAscii<Unit>("\n")
                    : EndsWith(before, "\r") ? FromAscii<Unit>("\r")
                                             : Text();
        if (lineBreak.empty()) inserted = newLineBreak_;
    }
    inserted += text;
    inserted += lineBreak;
    units_.insert(at, inserted);
}

template class IniText<char>;
template class IniText<char16_t>;

}  // namespace platform::ini

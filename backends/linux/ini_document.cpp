#include "backends/linux/ini_document.h"

#include <algorithm>

namespace platform::ini {

namespace {

constexpr std::string_view Utf8ByteOrderMark = "\xEF\xBB\xBF";

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

// The name of a section header line: the trimmed text between "[" and the last "]".
std::optional<std::string_view> SectionName(std::string_view line) {
    std::string_view t = TrimProfileBlanks(line);
    if (t.empty() || t.front() != '[') return std::nullopt;
    std::size_t close = t.rfind(']');
    if (close == std::string_view::npos || close == 0) return std::nullopt;
    return TrimProfileBlanks(t.substr(1, close - 1));
}

// The key of an entry line: the trimmed text before the first "=", or the whole
// trimmed line when it has none.
std::string_view KeyName(std::string_view line) {
    return TrimProfileBlanks(line.substr(0, line.find('=')));
}

bool IsBlank(std::string_view line) { return TrimProfileBlanks(line).empty(); }

// A value as the profile functions hand it out: blanks off, the text ends at a zero
// byte, and one pair of matching surrounding quotes comes off.
std::string ValueText(std::string_view raw) {
    std::string_view v = TrimProfileBlanks(raw);
    v = v.substr(0, v.find('\0'));
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
        v = v.substr(1, v.size() - 2);
    }
    return std::string(v);
}

}  // namespace

bool IsProfileBlank(char c) { return (c >= '\t' && c <= '\r') || c == '\x1A' || c == ' '; }

std::string_view TrimProfileBlanks(std::string_view text) {
    while (!text.empty() && IsProfileBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsProfileBlank(text.back())) text.remove_suffix(1);
    return text;
}

Document::Document(std::string_view bytes) : bytes_(bytes) {
    if (bytes.starts_with(Utf8ByteOrderMark)) bodyBegin_ = Utf8ByteOrderMark.size();
    std::optional<Line> withBreak = LineAt(bodyBegin_);
    while (withBreak && !withBreak->HasBreak()) withBreak = LineAt(withBreak->next);
    newLineBreak_ = withBreak ? bytes_.substr(withBreak->end, withBreak->next - withBreak->end) : "\r\n";
}

std::optional<std::string> Document::Find(std::string_view section, std::string_view key) const {
    std::optional<Line> header = FindSection(section);
    if (!header) return std::nullopt;
    std::optional<Line> line = FindKey(*header, key);
    if (!line) return std::nullopt;
    std::string_view text = line->Text(bytes_);
    std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    return ValueText(text.substr(equals + 1));
}

void Document::Set(std::string_view section, std::string_view key, std::string_view value) {
    std::string_view sectionName = TrimProfileBlanks(section);
    std::string_view keyName = TrimProfileBlanks(key);
    std::string entry = std::string(keyName) + "=" + std::string(value);

    std::optional<Line> header = FindSection(sectionName);
    if (!header) {
        InsertLine(bytes_.size(), "[" + std::string(sectionName) + "]");
        InsertLine(bytes_.size(), entry);
        return;
    }
    if (std::optional<Line> line = FindKey(*header, keyName)) {
        ReplaceValue(*line, value);
        return;
    }
    // After the section's last entry or comment, ahead of the blank lines that part it
    // from the next section.
    Line last = *header;
    for (std::optional<Line> line = LineAt(header->next); line && !SectionName(line->Text(bytes_));
         line = LineAt(line->next)) {
        if (!IsBlank(line->Text(bytes_))) last = *line;
    }
    InsertLine(last.next, entry);
}

std::string Document::Bytes() const { return bytes_; }

// A line ends at "\r\n", "\n" or a lone "\r", as it does for Windows.
std::optional<Document::Line> Document::LineAt(std::size_t begin) const {
    if (begin >= bytes_.size()) return std::nullopt;
    std::size_t end = bytes_.find_first_of("\r\n", begin);
    if (end == std::string::npos) return Line{begin, bytes_.size(), bytes_.size()};
    std::size_t breakLength = bytes_.compare(end, 2, "\r\n") == 0 ? 2 : 1;
    return Line{begin, end, end + breakLength};
}

std::optional<Document::Line> Document::FindSection(std::string_view name) const {
    std::string_view wanted = TrimProfileBlanks(name);
    for (std::optional<Line> line = LineAt(bodyBegin_); line; line = LineAt(line->next)) {
        std::optional<std::string_view> found = SectionName(line->Text(bytes_));
        if (found && SameName(*found, wanted)) return line;
    }
    return std::nullopt;
}

std::optional<Document::Line> Document::FindKey(const Line& header, std::string_view key) const {
    std::string_view wanted = TrimProfileBlanks(key);
    for (std::optional<Line> line = LineAt(header.next); line && !SectionName(line->Text(bytes_));
         line = LineAt(line->next)) {
        std::string_view text = line->Text(bytes_);
        if (!IsBlank(text) && SameName(KeyName(text), wanted)) return line;
    }
    return std::nullopt;
}

// Keeps the line's key as written, with its spacing up to where the old value began.
void Document::ReplaceValue(const Line& line, std::string_view value) {
    std::string_view text = line.Text(bytes_);
    std::size_t equals = text.find('=');
    std::string replacement;
    if (equals == std::string_view::npos) {
        std::size_t end = text.size();
        while (end > 0 && IsProfileBlank(text[end - 1])) --end;
        replacement = std::string(text.substr(0, end)) + "=";
    } else {
        std::size_t valueStart = equals + 1;
        if (!TrimProfileBlanks(text.substr(valueStart)).empty()) {
            while (IsProfileBlank(text[valueStart])) ++valueStart;
        }
        replacement = std::string(text.substr(0, valueStart));
    }
    replacement += value;
    bytes_.replace(line.begin, line.end - line.begin, replacement);
}

// The new line takes over the break of the line before it, so that a file that ended
// without a final line break still does.
void Document::InsertLine(std::size_t at, std::string_view text) {
    std::string_view before = std::string_view(bytes_).substr(bodyBegin_, at - bodyBegin_);
    std::string inserted;
    std::string_view lineBreak = newLineBreak_;
    if (!before.empty()) {
        lineBreak = before.ends_with("\r\n") ? "\r\n"
                    : before.ends_with('\n') ? "\n"
                    : before.ends_with('\r') ? "\r"
                                             : "";
        if (lineBreak.empty()) inserted = newLineBreak_;
    }
    inserted += text;
    inserted += lineBreak;
    bytes_.insert(at, inserted);
}

}  // namespace platform::ini

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

Document::Document(std::string_view bytes) {
    if (bytes.starts_with(Utf8ByteOrderMark)) {
        byteOrderMark_ = Utf8ByteOrderMark;
        bytes.remove_prefix(Utf8ByteOrderMark.size());
    }
    // A line ends at "\r\n", "\n" or a lone "\r", as it does for Windows.
    while (!bytes.empty()) {
        std::size_t end = bytes.find_first_of("\r\n");
        Line line;
        line.text = bytes.substr(0, end);
        if (end != std::string_view::npos) {
            std::size_t breakLength = bytes.compare(end, 2, "\r\n") == 0 ? 2 : 1;
            line.lineBreak = bytes.substr(end, breakLength);
            bytes.remove_prefix(end + breakLength);
        } else {
            bytes = {};
        }
        lines_.push_back(std::move(line));
    }
    auto withBreak = std::find_if(lines_.begin(), lines_.end(),
                                  [](const Line& l) { return !l.lineBreak.empty(); });
    newLineBreak_ = withBreak != lines_.end() ? withBreak->lineBreak : "\r\n";
}

std::optional<std::string> Document::Find(std::string_view section, std::string_view key) const {
    std::optional<std::size_t> header = FindSection(section);
    if (!header) return std::nullopt;
    std::optional<std::size_t> index = FindKey(*header, key);
    if (!index) return std::nullopt;
    const std::string& text = lines_[*index].text;
    std::size_t equals = text.find('=');
    if (equals == std::string::npos) return std::nullopt;
    return ValueText(std::string_view(text).substr(equals + 1));
}

void Document::Set(std::string_view section, std::string_view key, std::string_view value) {
    std::string_view sectionName = TrimProfileBlanks(section);
    std::string_view keyName = TrimProfileBlanks(key);
    std::string entry = std::string(keyName) + "=" + std::string(value);

    std::optional<std::size_t> header = FindSection(sectionName);
    if (!header) {
        InsertLine(lines_.size(), "[" + std::string(sectionName) + "]");
        InsertLine(lines_.size(), std::move(entry));
        return;
    }
    if (std::optional<std::size_t> index = FindKey(*header, keyName)) {
        ReplaceValue(*index, value);
        return;
    }
    // After the section's last entry or comment, ahead of the blank lines that part it
    // from the next section.
    std::size_t last = SectionEnd(*header) - 1;
    while (last > *header && IsBlank(lines_[last].text)) --last;
    InsertLine(last + 1, std::move(entry));
}

std::string Document::Bytes() const {
    std::string bytes = byteOrderMark_;
    for (const Line& line : lines_) bytes += line.text + line.lineBreak;
    return bytes;
}

std::optional<std::size_t> Document::FindSection(std::string_view name) const {
    std::string_view wanted = TrimProfileBlanks(name);
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        std::optional<std::string_view> found = SectionName(lines_[i].text);
        if (found && SameName(*found, wanted)) return i;
    }
    return std::nullopt;
}

std::size_t Document::SectionEnd(std::size_t header) const {
    std::size_t i = header + 1;
    while (i < lines_.size() && !SectionName(lines_[i].text)) ++i;
    return i;
}

std::optional<std::size_t> Document::FindKey(std::size_t header, std::string_view key) const {
    std::string_view wanted = TrimProfileBlanks(key);
    std::size_t end = SectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i) {
        if (!IsBlank(lines_[i].text) && SameName(KeyName(lines_[i].text), wanted)) return i;
    }
    return std::nullopt;
}

// Keeps the line's key as written, with its spacing up to where the old value began.
void Document::ReplaceValue(std::size_t index, std::string_view value) {
    std::string& text = lines_[index].text;
    std::size_t equals = text.find('=');
    std::string prefix;
    if (equals == std::string::npos) {
        std::size_t end = text.size();
        while (end > 0 && IsProfileBlank(text[end - 1])) --end;
        prefix = text.substr(0, end) + "=";
    } else {
        std::size_t valueStart = equals + 1;
        if (!TrimProfileBlanks(std::string_view(text).substr(valueStart)).empty()) {
            while (IsProfileBlank(text[valueStart])) ++valueStart;
        }
        prefix = text.substr(0, valueStart);
    }
    text = prefix + std::string(value);
}

// The new line takes over the break of the line before it, so that a file that ended
// without a final line break still does.
void Document::InsertLine(std::size_t index, std::string text) {
    Line line{std::move(text), newLineBreak_};
    if (index > 0) {
        Line& previous = lines_[index - 1];
        line.lineBreak = previous.lineBreak;
        if (previous.lineBreak.empty()) previous.lineBreak = newLineBreak_;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(index), std::move(line));
}

}  // namespace platform::ini

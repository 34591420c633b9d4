#include "backends/linux/xscreensaver_programs.h"

#include <cctype>
#include <optional>
#include <vector>

namespace platform::xscreensaver {

namespace {

// The entry line in the layout of XScreenSaver's own lists.
const std::string EntryLine = "  GL: \t\t\t\tkelvora --root\t\t\t\t    \\n";

std::vector<std::string> Lines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

std::string Joined(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
    return text;
}

bool Continued(std::string_view line) { return !line.empty() && line.back() == '\\'; }

// The lines [first, last] of the programs resource: "programs:" in the user's file,
// "*programs:" or "XScreenSaver.programs:" in app-defaults.
struct Resource {
    std::size_t first;
    std::size_t last;
};

std::optional<Resource> FindPrograms(const std::vector<std::string>& lines) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string_view line = Trimmed(lines[i]);
        std::size_t colon = line.find(':');
        if (line.empty() || line[0] == '!' || line[0] == '#' || colon == std::string_view::npos) {
            continue;
        }
        std::string_view name = Trimmed(line.substr(0, colon));
        bool programs = name == "programs" || name.ends_with("*programs") || name.ends_with(".programs");
        std::size_t last = i;
        while (Continued(lines[last]) && last + 1 < lines.size()) ++last;
        if (programs) return Resource{i, last};
        i = last;
    }
    return std::nullopt;
}

// The resource's value: its lines joined without the continuing backslashes.
std::string Value(const std::vector<std::string>& lines, Resource resource) {
    std::string value;
    for (std::size_t i = resource.first; i <= resource.last; ++i) {
        std::string_view line = lines[i];
        if (i == resource.first) line = line.substr(line.find(':') + 1);
        if (Continued(line)) line.remove_suffix(1);
        value += line;
    }
    return value;
}

// An entry is "[-] [VISUAL:] [\"LABEL\"] COMMAND ARGS"; true when its command is kelvora.
bool NamesKelvora(std::string_view entry) {
    entry = Trimmed(entry);
    if (entry.starts_with('-')) entry = Trimmed(entry.substr(1));
    std::size_t colon = entry.find(':');
    std::size_t space = entry.find_first_of(" \t");
    if (colon != std::string_view::npos && colon < space) entry = Trimmed(entry.substr(colon + 1));
    if (entry.starts_with('"')) {
        std::size_t close = entry.find('"', 1);
        entry = close == std::string_view::npos ? "" : Trimmed(entry.substr(close + 1));
    }
    std::string_view command = entry.substr(0, entry.find_first_of(" \t"));
    std::size_t slash = command.rfind('/');
    if (slash != std::string_view::npos) command = command.substr(slash + 1);
    return command == "kelvora";
}

bool ListsKelvora(std::string_view value) {
    std::size_t start = 0;
    while (start <= value.size()) {
        std::size_t end = value.find("\\n", start);
        if (end == std::string_view::npos) end = value.size();
        if (NamesKelvora(value.substr(start, end - start))) return true;
        start = end + 2;
    }
    return false;
}

// Appends the entry after the resource's last line, continuing that line; where that
// line is blank, only ending the list, the entry goes before it and continues to it.
void AppendEntry(std::vector<std::string>& lines, Resource resource, bool empty) {
    if (resource.last > resource.first && Trimmed(lines[resource.last]).empty()) {
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(resource.last), EntryLine + "\\");
        return;
    }
    std::string& last = lines[resource.last];
    while (!last.empty() && std::isspace(static_cast<unsigned char>(last.back()))) last.pop_back();
    if (empty) last += " \\";
    else if (last.ends_with("\\n")) last += "\\";
    else last += "\\n\\";
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(resource.last) + 1, EntryLine);
}

// The system's list as the user's file names it, or an empty one.
std::vector<std::string> SystemProgramsForUser(std::string_view systemFile) {
    std::vector<std::string> system = Lines(systemFile);
    std::optional<Resource> found = FindPrograms(system);
    if (!found) return {"programs:"};
    std::vector<std::string> lines(system.begin() + static_cast<std::ptrdiff_t>(found->first),
                                   system.begin() + static_cast<std::ptrdiff_t>(found->last) + 1);
    lines.front() = "programs:" + lines.front().substr(lines.front().find(':') + 1);
    return lines;
}

}  // namespace

bool HasProgramsList(std::string_view resources) { return FindPrograms(Lines(resources)).has_value(); }

ListedText WithKelvoraListed(std::string_view userFile, std::string_view systemFile) {
    std::vector<std::string> lines = Lines(userFile);
    std::optional<Resource> found = FindPrograms(lines);
    if (!found) {
        std::vector<std::string> programs = SystemProgramsForUser(systemFile);
        if (!lines.empty() && !Trimmed(lines.back()).empty()) lines.emplace_back();
        found = Resource{lines.size(), lines.size() + programs.size() - 1};
        lines.insert(lines.end(), programs.begin(), programs.end());
    }
    std::string value = Value(lines, *found);
    if (ListsKelvora(value)) return {false, std::string(userFile)};
    AppendEntry(lines, *found, Trimmed(value).empty());
    return {true, Joined(lines)};
}

}  // namespace platform::xscreensaver

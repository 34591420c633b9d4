// Runs every INI fixture through one side's profile functions in the current folder and
// prints what it read, what the writes answered and what the files hold afterwards, in
// a form that is the same for both sides when they behave alike.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "data/ini/profile_cases.h"
#include "probe_backend.h"

namespace {

std::string Escaped(const std::string& text) {
    std::string out = "\"";
    for (unsigned char c : text) {
        if (c == '\r') out += "\\r";
        else if (c == '\n') out += "\\n";
        else if (c == '\t') out += "\\t";
        else if (c == '"' || c == '\\') out += std::string("\\") + static_cast<char>(c);
        else if (c < 0x20 || c >= 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", c);
            out += hex;
        } else out += static_cast<char>(c);
    }
    return out + "\"";
}

void PrintRead(const profile_cases::Read& read, const std::string& path) {
    std::vector<char> buffer(read.size + 1, '#');
    std::uint32_t count = ProbeGetProfileString(read.section.c_str(), read.key.c_str(),
                                                read.defaultText.c_str(), buffer.data(),
                                                read.size, path.c_str());
    std::string copied(buffer.data(), std::min<std::size_t>(count, read.size));
    bool terminated = count < read.size && buffer[count] == '\0';
    std::printf("read [%s] %s default=%s size=%u -> %u %s%s\n", read.section.c_str(),
                read.key.c_str(), Escaped(read.defaultText).c_str(), read.size, count,
                Escaped(copied).c_str(), terminated ? "" : " (not terminated)");
}

std::string Trim(const std::string& text) {
    const char* blanks = " \t\r\n\v\f\x1A";
    std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// The meaning of each line: blank lines dropped, blanks around names, "=" and values
// dropped, whatever line break each had.
void PrintLines(const std::string& bytes) {
    std::string text = bytes;
    if (text.rfind("\xEF\xBB\xBF", 0) == 0) {
        std::printf("  (UTF-8 byte order mark)\n");
        text.erase(0, 3);
    }
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) end = text.size();
        std::string line = Trim(text.substr(start, end - start));
        start = end + 1;
        if (line.empty()) continue;
        std::size_t close = line.rfind(']');
        std::size_t equals = line.find('=');
        if (line[0] == '[' && close != std::string::npos && close > 0) {
            line = "[" + Trim(line.substr(1, close - 1)) + "]";
        } else if (equals != std::string::npos) {
            line = Trim(line.substr(0, equals)) + "=" + Trim(line.substr(equals + 1));
        }
        std::printf("  %s\n", Escaped(line).c_str());
    }
}

void RunCase(const profile_cases::Case& c) {
    std::string path = "./" + c.file;
    std::printf("== %s\n", c.file.c_str());
    if (c.contents) {
        std::ofstream(path, std::ios::binary) << *c.contents;
        if (c.readOnlyFile) ProbeMakeReadOnly(path.c_str());
    }
    for (const auto& read : c.readsBefore) PrintRead(read, path);
    for (const auto& write : c.writes) {
        bool ok = ProbeWriteProfileString(write.section.c_str(), write.key.c_str(),
                                          write.value.c_str(), path.c_str());
        std::printf("write [%s] %s %s -> %s\n", write.section.c_str(), write.key.c_str(),
                    Escaped(write.value).c_str(), ok ? "ok" : "failed");
    }
    for (const auto& read : c.readsAfter) PrintRead(read, path);

    std::ifstream file(path, std::ios::binary);
    if (!file) {
        std::printf("no file\n");
        return;
    }
    std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    std::printf("lines:\n");
    PrintLines(bytes);
    if (c.sameBytesUnderWine) std::printf("bytes: %s\n", Escaped(bytes).c_str());
}

}  // namespace

// "--without-read-only" leaves out the read-only file: Wine run by root writes to it,
// as root may, where Windows refuses; the unit tests check that case natively.
int main(int argc, char** argv) {
    bool withReadOnly = !(argc > 1 && std::string(argv[1]) == "--without-read-only");
    for (const auto& c : profile_cases::Cases()) {
        if (withReadOnly || !c.readOnlyFile) RunCase(c);
    }
    // A write must leave no temporary file behind.
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(".")) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    std::printf("== folder\n");
    for (const auto& name : names) std::printf("  %s\n", name.c_str());
    return 0;
}

// Fuzzes the INI code with arbitrary files and arguments: the document gives back its
// bytes, a read never writes beyond its buffer and cuts as Windows does, and a write
// either refuses and leaves the file alone or sets exactly the one value it names.
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "backends/linux/ini_document.h"
#include "backends/linux/ini_profile.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

bool IsBlank(char c) { return (c >= '\t' && c <= '\r') || c == '\x1A' || c == ' '; }

std::string Trimmed(const std::string& text) {
    std::size_t begin = 0, end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    return text.substr(begin, end - begin);
}

std::string Lower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return text;
}

// What a read gives back for a value as it was written.
std::string AsRead(const std::string& value) {
    std::string v = Trimmed(value);
    if (v.size() >= 2 && (v[0] == '"' || v[0] == '\'') && v.back() == v[0]) {
        v = v.substr(1, v.size() - 2);
    }
    return v;
}

bool FitsOnItsLine(const std::string& section, const std::string& key, const std::string& value) {
    std::string k = Trimmed(key);
    for (const std::string* text : {&section, &key, &value}) {
        if (text->find_first_of("\r\n") != std::string::npos) return false;
    }
    return !k.empty() && k.find('=') == std::string::npos && k[0] != '[';
}

std::string FileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Kept across inputs, as the backend keeps it across reads: a file made anew each time
// must never be answered from an earlier one.
platform::ini::ParsedFile& Parsed() {
    static platform::ini::ParsedFile parsed;
    return parsed;
}

std::string ReadWhole(const std::string& section, const std::string& key, const std::string& path) {
    std::vector<char> buffer(8192);
    std::uint32_t n = platform::ini::GetProfileString(section.c_str(), key.c_str(), "", buffer.data(),
                                                      static_cast<std::uint32_t>(buffer.size()),
                                                      path.c_str(), Parsed());
    return std::string(buffer.data(), n);
}

const std::string& WorkFile() {
    static const std::string path = [] {
        char folder[] = "/tmp/kelvora-ini-fuzz-XXXXXX";
        Require(mkdtemp(folder) != nullptr);
        return std::string(folder) + "/kelvora.ini";
    }();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    // The profile functions take C strings: a zero byte ends each argument.
    auto argument = [&input](std::size_t length) {
        return std::string(input.ConsumeRandomLengthString(length).c_str());
    };
    std::string section = argument(16);
    std::string key = argument(16);
    std::string value = argument(32);
    std::string otherSection = argument(16);
    std::string otherKey = argument(16);
    std::uint32_t bufferSize = input.ConsumeIntegralInRange<std::uint32_t>(0, 300);
    std::string contents = input.ConsumeRemainingBytesAsString();

    platform::ini::Document document(contents);
    Require(document.Bytes() == contents);

    const std::string& path = WorkFile();
    std::ofstream(path, std::ios::binary | std::ios::trunc) << contents;

    // A read cuts to size - 1 characters, ends them with a zero and touches nothing else.
    std::vector<char> buffer(bufferSize + 16, '#');
    std::uint32_t count = platform::ini::GetProfileString(section.c_str(), key.c_str(), "",
                                                          buffer.data(), bufferSize, path.c_str(), Parsed());
    std::string stored = document.Find(section, key).value_or("");
    if (bufferSize == 0) {
        Require(count == 0);
    } else {
        Require(count == std::min<std::size_t>(stored.size(), bufferSize - 1));
        Require(std::string(buffer.data(), count) == stored.substr(0, count));
        Require(buffer[count] == '\0');
    }
    for (std::size_t i = bufferSize; i < buffer.size(); ++i) Require(buffer[i] == '#');

    std::string otherBefore = ReadWhole(otherSection, otherKey, path);
    std::int32_t written = platform::ini::WriteProfileString(section.c_str(), key.c_str(),
                                                             value.c_str(), path.c_str());
    if (!FitsOnItsLine(section, key, value)) {
        Require(written == 0);
        Require(FileBytes(path) == contents);
    } else {
        Require(written == 1);
        Require(ReadWhole(section, key, path) == AsRead(value));
        bool sameEntry = Lower(Trimmed(section)) == Lower(Trimmed(otherSection)) &&
                         Lower(Trimmed(key)) == Lower(Trimmed(otherKey));
        if (!sameEntry) Require(ReadWhole(otherSection, otherKey, path) == otherBefore);
    }
    unlink(path.c_str());
    return 0;
}

#include "common/text.h"

#include <cctype>

#include "common/runtime_error.h"

std::string TrimBlanks(std::string_view text) {
    std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    std::size_t last = text.find_last_not_of(' ');
    return std::string(text.substr(first, last - first + 1));
}

std::string UpperCase(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return upper;
}

std::string LeftChars(std::string_view text, std::size_t count) {
    return std::string(text.substr(0, count));
}

std::string RightChars(std::string_view text, long long count) {
    if (count < 0) throw RuntimeError(ErrorCode::InvalidArgument);
    auto n = static_cast<std::size_t>(count);
    if (n >= text.size()) return std::string(text);
    return std::string(text.substr(text.size() - n));
}

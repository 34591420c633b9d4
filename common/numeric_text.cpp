#include "common/numeric_text.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>

#include "common/runtime_error.h"

namespace {

bool IsIgnoredByNumericValue(char c) { return c == ' ' || c == '\t' || c == '\n'; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Parses the longest prefix of a blank-free text that forms a decimal number.
double ParseLeadingNumber(const std::string& s) {
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
    }
    if (digits == 0) return 0.0;
    std::size_t end = i;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
        std::size_t exponentDigits = 0;
        while (j < s.size() && IsDigit(s[j])) ++j, ++exponentDigits;
        if (exponentDigits > 0) end = j;
    }
    std::size_t start = s[0] == '+' ? 1 : 0;
    double value = 0.0;
    auto [ptr, ec] = std::from_chars(s.data() + start, s.data() + end, value);
    if (ec == std::errc::result_out_of_range) {
        // Underflow towards zero is harmless; only a magnitude too large is an overflow.
        std::size_t e = s.find_first_of("eE", start);
        bool tiny = e != std::string::npos && e + 1 < end && s[e + 1] == '-';
        if (!tiny) throw RuntimeError(ErrorCode::Overflow);
        return 0.0;
    }
    return value;
}

std::string_view Trim(std::string_view text) {
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

// "&H" followed by up to eight hexadecimal digits; four digits or fewer read as a
// 16-bit value, more as a 32-bit one, as such literals always have.
double ParseHexLiteral(std::string_view digits) {
    if (digits.empty() || digits.size() > 8) {
        throw RuntimeError(digits.empty() ? ErrorCode::TypeMismatch : ErrorCode::Overflow);
    }
    std::uint32_t raw = 0;
    auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), raw, 16);
    if (ec != std::errc() || ptr != digits.data() + digits.size()) {
        throw RuntimeError(ErrorCode::TypeMismatch);
    }
    if (digits.size() <= 4) return static_cast<std::int16_t>(static_cast<std::uint16_t>(raw));
    return static_cast<std::int32_t>(raw);
}

double ParseWholeText(std::string_view text) {
    std::string_view t = Trim(text);
    if (t.size() >= 2 && t[0] == '&' && (t[1] == 'H' || t[1] == 'h')) {
        return ParseHexLiteral(t.substr(2));
    }
    if (t.empty()) throw RuntimeError(ErrorCode::TypeMismatch);
    std::size_t start = 0;
    if (t[0] == '+' || t[0] == '-') start = 1;
    if (start >= t.size() || !(IsDigit(t[start]) || t[start] == '.')) {
        throw RuntimeError(ErrorCode::TypeMismatch);
    }
    std::size_t skip = t[0] == '+' ? 1 : 0;
    double value = 0.0;
    auto [ptr, ec] = std::from_chars(t.data() + skip, t.data() + t.size(), value);
    if (ec == std::errc::invalid_argument || ptr != t.data() + t.size()) {
        throw RuntimeError(ErrorCode::TypeMismatch);
    }
    if (ec == std::errc::result_out_of_range) {
        if (std::string_view(t).find("e-") != std::string_view::npos ||
            std::string_view(t).find("E-") != std::string_view::npos) {
            return 0.0;
        }
        throw RuntimeError(ErrorCode::Overflow);
    }
    return value;
}

template <typename Int>
Int RoundToInt(double value) {
    if (std::isnan(value)) throw RuntimeError(ErrorCode::Overflow);
    double rounded = std::nearbyint(value);
    if (rounded < static_cast<double>(std::numeric_limits<Int>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<Int>::max())) {
        throw RuntimeError(ErrorCode::Overflow);
    }
    return static_cast<Int>(rounded);
}

}  // namespace

double NumericValue(std::string_view text) {
    std::string compact;
    compact.reserve(text.size());
    for (char c : text) {
        if (!IsIgnoredByNumericValue(c)) compact.push_back(c);
    }
    return ParseLeadingNumber(compact);
}

std::int16_t RoundToInt16(double value) { return RoundToInt<std::int16_t>(value); }
std::int32_t RoundToInt32(double value) { return RoundToInt<std::int32_t>(value); }

float ToSingle(double value) {
    if (std::isfinite(value) && std::fabs(value) > std::numeric_limits<float>::max()) {
        // Values that round down to the largest single are still in range.
        float nearest = static_cast<float>(value);
        if (std::isinf(nearest)) throw RuntimeError(ErrorCode::Overflow);
        return nearest;
    }
    return static_cast<float>(value);
}

std::int16_t TextToInt16(std::string_view text) { return RoundToInt16(ParseWholeText(text)); }
std::int32_t TextToInt32(std::string_view text) { return RoundToInt32(ParseWholeText(text)); }
float TextToSingle(std::string_view text) { return ToSingle(ParseWholeText(text)); }
double TextToDouble(std::string_view text) { return ParseWholeText(text); }

std::string DecimalText(std::int64_t value) { return std::to_string(value); }


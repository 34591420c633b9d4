// Fuzzes the numbers read from text: no text crashes or trips the sanitizers, the strict
// conversions agree with each other, and whole numbers survive the trip through their
// decimal and hexadecimal texts.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "common/numeric_text.h"
#include "common/runtime_error.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

template <typename Function>
auto Attempt(Function function) -> std::optional<decltype(function())> {
    try {
        return function();
    } catch (const RuntimeError& e) {
        Require(e.code() == ErrorCode::Overflow || e.code() == ErrorCode::TypeMismatch);
        return std::nullopt;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);

    if (auto value = Attempt([&] { return NumericValue(text); })) {
        Require(std::isfinite(*value));
        Attempt([&] { return RoundToInt16(*value); });
        Attempt([&] { return RoundToInt32(*value); });
    }

    // Every strict conversion is the double conversion, rounded or narrowed.
    auto real = Attempt([&] { return TextToDouble(text); });
    auto int16 = Attempt([&] { return TextToInt16(text); });
    auto int32 = Attempt([&] { return TextToInt32(text); });
    auto single = Attempt([&] { return TextToSingle(text); });
    if (int16) Require(real && RoundToInt16(*real) == *int16);
    if (int32) Require(real && RoundToInt32(*real) == *int32);
    if (single) Require(real && ToSingle(*real) == *single);
    if (real) {
        Require(std::isfinite(*real));
        Require(int16 || Attempt([&] { return RoundToInt16(*real); }) == std::nullopt);
        Require(int32 || Attempt([&] { return RoundToInt32(*real); }) == std::nullopt);
    }

    // Whole numbers through their texts and back. "&H" with four digits or fewer reads as
    // a 16-bit value, so only the texts that read back as themselves are checked there.
    if (size >= 4) {
        std::int32_t whole;
        std::memcpy(&whole, data, sizeof whole);
        Require(TextToInt32(DecimalText(whole)) == whole);
        char digits[9];
        std::snprintf(digits, sizeof digits, "%X", static_cast<unsigned>(whole));
        std::string hex = digits;
        if (hex.size() > 4 || whole <= 0x7FFF) Require(TextToInt32("&H" + hex) == whole);
    }
    return 0;
}

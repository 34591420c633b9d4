// A colour's four bytes, and the two ways this program packs them into one number:
// red in the low byte, 0x00BBGGRR, as the candle colour is stored and Windows takes a
// colour; or red above green above blue, 0xAARRGGBB, as the engine and the hack's
// command line take one.
#pragma once
#include <cstdint>

struct ColorBytes {
    std::uint8_t red = 0, green = 0, blue = 0, alpha = 0;
};

enum class ColorLayout {
    RedLow,   // 0xAABBGGRR
    RedHigh,  // 0xAARRGGBB
};

constexpr ColorBytes UnpackColor(std::uint32_t packed, ColorLayout layout) {
    auto byte = [packed](int shift) { return static_cast<std::uint8_t>((packed >> shift) & 0xFF); };
    bool redLow = layout == ColorLayout::RedLow;
    return {byte(redLow ? 0 : 16), byte(8), byte(redLow ? 16 : 0), byte(24)};
}

constexpr std::uint32_t PackColor(ColorBytes bytes, ColorLayout layout) {
    std::uint32_t red = bytes.red, blue = bytes.blue;
    if (layout == ColorLayout::RedHigh) red <<= 16;
    else blue <<= 16;
    return red | std::uint32_t{bytes.green} << 8 | blue | std::uint32_t{bytes.alpha} << 24;
}

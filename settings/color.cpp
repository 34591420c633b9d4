#include "settings/color.h"

#include <bit>
#include <cstdint>

#include "common/numeric_text.h"
#include "common/runtime_error.h"

namespace mScreenSaver {

namespace {

// One colour byte from its "&H" pair, as the nearest single to byte / 255.
float ComponentFromHexPair(const std::string& pair) {
    return ToSingle(TextToInt16("&H" + pair) / 255.0);
}

}  // namespace

void ColorToRgb(std::string colorText, float& red, float& green, float& blue) {
    try {
        // BBGGRR: the last six hexadecimal digits; higher bits play no part.
        std::string digits = "000000" + HexText(TextToInt32(colorText));
        std::string bbggrr = digits.substr(digits.size() - 6);
        red = ComponentFromHexPair(bbggrr.substr(4, 2));
        green = ComponentFromHexPair(bbggrr.substr(2, 2));
        blue = ComponentFromHexPair(bbggrr.substr(0, 2));
    } catch (const RuntimeError&) {
        // An orange: red 255, green 80, blue 20. The blue constant is one unit in the
        // last place above 20 / 255, a value stored settings may already rely on.
        red = std::bit_cast<float>(0x3F800000u);
        green = std::bit_cast<float>(0x3EA0A0A1u);
        blue = std::bit_cast<float>(0x3DA0A0A2u);
    }
}

}  // namespace mScreenSaver

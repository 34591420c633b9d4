#include "settings/color.h"

#include <bit>
#include <cstdint>

#include "common/color_bytes.h"
#include "common/numeric_text.h"
#include "common/runtime_error.h"

namespace mScreenSaver {

void ColorToRgb(std::string colorText, float& red, float& green, float& blue) {
    try {
        // 0x00BBGGRR: the high byte plays no part. Each component is the nearest single to
        // its byte / 255.
        ColorBytes color =
            UnpackColor(static_cast<std::uint32_t>(TextToInt32(colorText)), ColorLayout::RedLow);
        red = ToSingle(color.red / 255.0);
        green = ToSingle(color.green / 255.0);
        blue = ToSingle(color.blue / 255.0);
    } catch (const RuntimeError&) {
        // An orange: red 255, green 80, blue 20. The blue constant is one unit in the
        // last place above 20 / 255, a value stored settings may already rely on.
        red = std::bit_cast<float>(0x3F800000u);
        green = std::bit_cast<float>(0x3EA0A0A1u);
        blue = std::bit_cast<float>(0x3DA0A0A2u);
    }
}

}  // namespace mScreenSaver

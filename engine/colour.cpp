#include "engine/colour.h"

#include <cmath>

namespace engine {

float SrgbToLinear(float encoded) {
    return encoded <= 0.04045f ? encoded / 12.92f : std::pow((encoded + 0.055f) / 1.055f, 2.4f);
}

glm::vec4 LinearFromArgb(std::uint32_t argb) {
    return {SrgbToLinear(((argb >> 16) & 0xFF) / 255.0f), SrgbToLinear(((argb >> 8) & 0xFF) / 255.0f),
            SrgbToLinear((argb & 0xFF) / 255.0f), (argb >> 24) / 255.0f};
}

}  // namespace engine

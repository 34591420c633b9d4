// Colours given as bytes (0xRRGGBB, 0xAARRGGBB) are sRGB; the engine lights and blends
// in linear values, so they are decoded first.
#pragma once
#include <glm/glm.hpp>

#include <cstdint>

namespace engine {

float SrgbToLinear(float encoded);
// Red, green and blue of the low three bytes, linear; alpha from the top byte as it is.
glm::vec4 LinearFromArgb(std::uint32_t argb);

}  // namespace engine

// Compositing, supersampled painting and 8-bit conversion.
#include "picture.h"

#include <algorithm>
#include <cmath>

namespace media {

namespace {
// 4 x 4 samples per pixel: enough for clean edges on pictures this small.
constexpr int SamplesPerSide = 4;

unsigned char Byte(float value) { return static_cast<unsigned char>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255)); }
}  // namespace

void Blend(glm::vec4& pixel, glm::vec4 color, float coverage) {
    const float a = color.a * coverage;
    const float outAlpha = a + pixel.a * (1 - a);
    if (outAlpha <= 0) return;
    const glm::vec3 rgb = (glm::vec3(color) * a + glm::vec3(pixel) * pixel.a * (1 - a)) / outAlpha;
    pixel = glm::vec4(rgb, outAlpha);
}

void Paint(Picture& picture, const Shape& shape) {
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            // Average premultiplied samples, then lay the result over the pixel.
            glm::vec4 sum(0);
            for (int sy = 0; sy < SamplesPerSide; ++sy) {
                for (int sx = 0; sx < SamplesPerSide; ++sx) {
                    const glm::vec2 at{x + (sx + 0.5f) / SamplesPerSide, y + (sy + 0.5f) / SamplesPerSide};
                    const glm::vec4 c = shape(at);
                    sum += glm::vec4(glm::vec3(c) * c.a, c.a);
                }
            }
            sum /= float(SamplesPerSide * SamplesPerSide);
            if (sum.a > 0) Blend(picture.At(x, y), glm::vec4(glm::vec3(sum) / sum.a, 1), sum.a);
        }
    }
}

bool InsidePolygon(glm::vec2 point, const std::vector<glm::vec2>& corners) {
    bool inside = false;
    for (std::size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
        const glm::vec2 a = corners[i], b = corners[j];
        if ((a.y > point.y) != (b.y > point.y) && point.x < (b.x - a.x) * (point.y - a.y) / (b.y - a.y) + a.x)
            inside = !inside;
    }
    return inside;
}

std::vector<unsigned char> Rgba8(const Picture& picture) {
    std::vector<unsigned char> bytes;
    for (const glm::vec4& p : picture.pixels)
        for (int k = 0; k < 4; ++k) bytes.push_back(Byte(p[k]));
    return bytes;
}

std::vector<unsigned char> Rgb8(const Picture& picture) {
    std::vector<unsigned char> bytes;
    for (const glm::vec4& p : picture.pixels)
        for (int k = 0; k < 3; ++k) bytes.push_back(Byte(p[k] * p.a));
    return bytes;
}

}  // namespace media

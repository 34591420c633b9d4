// Area-averaged scaling: a still is several times smaller than the render, and plain
// sampling would lose the thin bright edges of the carved openings.
#include "framing.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace stills {

namespace {
// The pumpkin's lit skin and openings: red well up, and clearly warmer than the grey
// smoke rising above it.
bool WarmlyLit(const glm::vec4& p) { return p.r >= 0.08f && p.r >= 2 * p.b; }

// The render's mean colour over the rectangle [x0, x1) x [y0, y1), in render pixels.
glm::vec3 Average(const media::Picture& render, float x0, float y0, float x1, float y1) {
    glm::vec3 sum(0);
    float weight = 0;
    for (int y = int(std::floor(y0)); y < int(std::ceil(y1)); ++y) {
        const float h = std::min(y1, y + 1.0f) - std::max(y0, float(y));
        for (int x = int(std::floor(x0)); x < int(std::ceil(x1)); ++x) {
            const float w = (std::min(x1, x + 1.0f) - std::max(x0, float(x))) * h;
            const bool inside = x >= 0 && y >= 0 && x < render.width && y < render.height;
            if (inside) sum += glm::vec3(render.At(x, y)) * w;
            weight += w;
        }
    }
    return weight > 0 ? sum / weight : glm::vec3(0);
}
}  // namespace

Box PumpkinBounds(const media::Picture& render) {
    int left = render.width, right = -1, top = render.height, bottom = -1;
    for (int y = 0; y < render.height; ++y)
        for (int x = 0; x < render.width; ++x) {
            if (!WarmlyLit(render.At(x, y))) continue;
            left = std::min(left, x), right = std::max(right, x);
            top = std::min(top, y), bottom = std::max(bottom, y);
        }
    if (right < 0) throw std::runtime_error("the render shows no lit pumpkin");
    return {float(left), float(top), float(right + 1 - left), float(bottom + 1 - top)};
}

void DrawFitted(media::Picture& picture, Box into, const media::Picture& render, Box from) {
    const float scale = std::min(into.width / from.width, into.height / from.height);  // target per render pixel
    const glm::vec2 origin{into.x + (into.width - from.width * scale) / 2,
                           into.y + (into.height - from.height * scale) / 2};
    for (int y = int(std::floor(into.y)); y < int(std::ceil(into.y + into.height)); ++y)
        for (int x = int(std::floor(into.x)); x < int(std::ceil(into.x + into.width)); ++x) {
            if (x < 0 || y < 0 || x >= picture.width || y >= picture.height) continue;
            const float x0 = from.x + (x - origin.x) / scale, y0 = from.y + (y - origin.y) / scale;
            picture.At(x, y) = glm::vec4(Average(render, x0, y0, x0 + 1 / scale, y0 + 1 / scale), 1);
        }
}

}  // namespace stills

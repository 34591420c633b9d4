// A picture in memory (straight-alpha RGBA, components 0 to 1), painted by sampling a
// colour function several times per pixel so edges come out smooth.
#pragma once
#include <functional>
#include <vector>

#include <glm/glm.hpp>

namespace media {

struct Picture {
    Picture(int w, int h, glm::vec4 background) : width(w), height(h), pixels(w * h, background) {}

    glm::vec4& At(int x, int y) { return pixels[y * width + x]; }
    const glm::vec4& At(int x, int y) const { return pixels[y * width + x]; }

    int width, height;
    std::vector<glm::vec4> pixels;  // row by row from the top
};

// Lays `color` over the pixel with the given coverage (0 to 1), "over" compositing.
void Blend(glm::vec4& pixel, glm::vec4 color, float coverage);

// Paints shape(x, y) over the picture; shape returns the colour at a point in pixel
// coordinates (the pixel x covers x to x + 1), alpha 0 where it draws nothing.
using Shape = std::function<glm::vec4(glm::vec2)>;
void Paint(Picture& picture, const Shape& shape);

bool InsidePolygon(glm::vec2 point, const std::vector<glm::vec2>& corners);

// Components as 8-bit values, rounded.
std::vector<unsigned char> Rgba8(const Picture& picture);
std::vector<unsigned char> Rgb8(const Picture& picture);

}  // namespace media

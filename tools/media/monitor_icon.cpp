// The monitor icon in full colour: drawn as shapes on a 32-unit grid, painted smooth at
// each size Windows asks for (16, 32 and 48 pixels, and 256 for large views), and written
// as one .ico (the small sizes as 32-bit images with alpha, the large one as a PNG, as
// windres and Explorer take them) and as a 32 x 32 PNG for the Linux window.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "picture_files.h"
#include "pictures.h"

namespace media {

namespace {
constexpr float Grid = 32;
constexpr std::array<int, 4> IconSizes{16, 32, 48, 256};
// The sizes up to this one are stored as bitmaps; larger ones as PNG, which is smaller.
constexpr int LargestBitmap = 48;

const glm::vec4 Nothing{0, 0, 0, 0};

bool InsideRoundedBox(glm::vec2 p, glm::vec2 from, glm::vec2 to, float radius) {
    const glm::vec2 nearest = glm::clamp(p, from + radius, to - radius);
    return p.x >= from.x && p.x <= to.x && p.y >= from.y && p.y <= to.y &&
           glm::length(p - nearest) <= radius;
}

// A rounded box shaded from a lighter top to a darker bottom, with a dark rim.
Shape ShadedBox(glm::vec2 from, glm::vec2 to, float radius, glm::vec3 top, glm::vec3 bottom) {
    return [=](glm::vec2 p) {
        if (!InsideRoundedBox(p, from, to, radius)) return Nothing;
        if (!InsideRoundedBox(p, from + 0.6f, to - 0.6f, std::max(radius - 0.6f, 0.0f)))
            return glm::vec4(0.18f, 0.18f, 0.2f, 1);
        const float t = (p.y - from.y) / (to.y - from.y);
        return glm::vec4(glm::mix(top, bottom, t), 1);
    };
}

// The night screen: deep blue, warmed by the pumpkin's glow around its middle.
glm::vec4 Screen(glm::vec2 p) {
    if (!InsideRoundedBox(p, {5.5f, 5.5f}, {26.5f, 19.5f}, 0.8f)) return Nothing;
    const float glow = std::exp(-glm::dot(p - glm::vec2(16, 13.5f), p - glm::vec2(16, 13.5f)) / 30);
    glm::vec3 colour = glm::mix(glm::vec3(0.03f, 0.05f, 0.22f), glm::vec3(0.55f, 0.2f, 0.04f), glow);
    // A faint reflection across the top left of the glass.
    if (p.x + p.y < 17) colour += 0.12f;
    return glm::vec4(colour, 1);
}

// The carved pumpkin on the screen: ribbed orange, its face lit yellow from inside.
glm::vec4 Pumpkin(glm::vec2 p) {
    const glm::vec2 centre{16, 13.6f};
    if (p.x > 15.3f && p.x < 16.7f && p.y > 8.4f && p.y < 10.3f) return {0.25f, 0.45f, 0.1f, 1};
    const glm::vec2 d = (p - centre) / glm::vec2(5.4f, 4.1f);
    if (glm::dot(d, d) > 1) return Nothing;
    const std::vector<glm::vec2> leftEye{{12.6f, 13}, {14.6f, 13}, {13.6f, 11.2f}};
    const std::vector<glm::vec2> rightEye{{17.4f, 13}, {19.4f, 13}, {18.4f, 11.2f}};
    const std::vector<glm::vec2> mouth{{12.4f, 14.6f}, {19.6f, 14.6f}, {18.4f, 16.4f},
                                       {16.8f, 15.7f}, {15.2f, 16.4f}, {13.6f, 15.7f}};
    if (InsidePolygon(p, leftEye) || InsidePolygon(p, rightEye) || InsidePolygon(p, mouth))
        return {1, 0.88f, 0.35f, 1};
    // Ribs: darker towards the rim and in the grooves between the lobes.
    const float rib = 0.82f + 0.18f * std::cos(d.x * 3.1416f * 2.5f);
    const float rim = 1 - 0.35f * glm::dot(d, d);
    return glm::vec4(glm::vec3(0.98f, 0.45f, 0.05f) * rib * rim, 1);
}

glm::vec4 PowerLight(glm::vec2 p) {
    return glm::length(p - glm::vec2(26, 22.1f)) <= 0.8f ? glm::vec4(0.2f, 0.9f, 0.3f, 1) : Nothing;
}

// The monitor at `size` pixels square, transparent around it.
Picture Monitor(int size) {
    Picture picture(size, size, Nothing);
    const float scale = size / Grid;
    auto paint = [&](const Shape& shape) {
        Paint(picture, [&](glm::vec2 p) { return shape(p / scale); });
    };
    const glm::vec3 light{0.88f, 0.88f, 0.9f}, dark{0.55f, 0.56f, 0.6f};
    paint(ShadedBox({13, 22}, {19, 27.5f}, 0, dark, glm::vec3(0.35f, 0.36f, 0.4f)));
    paint(ShadedBox({7, 26.5f}, {25, 30}, 1.5f, light, dark));
    paint(ShadedBox({2, 2}, {30, 24}, 2, light, dark));
    paint(ShadedBox({4.6f, 4.6f}, {27.4f, 20.4f}, 1.2f, glm::vec3(0.3f), glm::vec3(0.15f)));
    paint(Screen);
    paint(Pumpkin);
    paint(PowerLight);
    return picture;
}

void PutLe(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(std::uint8_t(value >> (8 * i)));
}

// One image as an icon holds it: a BMP header whose height counts the colour rows and the
// mask rows, blue-green-red-alpha rows from the bottom up, then the mask (a set bit lets
// the background show through, for programs that ignore the alpha).
std::vector<std::uint8_t> IconBitmap(const Picture& picture) {
    const int size = picture.width;
    const int maskRowBytes = (size + 31) / 32 * 4;
    const std::vector<unsigned char> rgba = Rgba8(picture);
    std::vector<std::uint8_t> out;
    PutLe(out, 40, 4);
    PutLe(out, size, 4);
    PutLe(out, 2 * size, 4);
    PutLe(out, 1, 2);
    PutLe(out, 32, 2);
    PutLe(out, 0, 4);  // uncompressed
    PutLe(out, size * size * 4 + maskRowBytes * size, 4);
    for (int i = 0; i < 4; ++i) PutLe(out, 0, 4);
    for (int y = size - 1; y >= 0; --y)
        for (int x = 0; x < size; ++x) {
            const unsigned char* p = &rgba[4 * (y * size + x)];
            out.insert(out.end(), {p[2], p[1], p[0], p[3]});
        }
    for (int y = size - 1; y >= 0; --y)
        for (int byte = 0; byte < maskRowBytes; ++byte) {
            std::uint8_t bits = 0;
            for (int k = 0; k < 8; ++k) {
                const int x = byte * 8 + k;
                if (x < size && rgba[4 * (y * size + x) + 3] == 0) bits |= std::uint8_t(0x80 >> k);
            }
            out.push_back(bits);
        }
    return out;
}
}  // namespace

std::vector<std::uint8_t> MonitorIcon() {
    std::vector<std::vector<std::uint8_t>> images;
    for (int size : IconSizes) {
        const Picture picture = Monitor(size);
        images.push_back(size <= LargestBitmap ? IconBitmap(picture) : PngFile(picture));
    }
    std::vector<std::uint8_t> out;
    // The icon directory, then one entry an image, then the images in the same order.
    PutLe(out, 0, 2);
    PutLe(out, 1, 2);
    PutLe(out, IconSizes.size(), 2);
    std::uint32_t offset = 6 + 16 * IconSizes.size();
    for (std::size_t i = 0; i < IconSizes.size(); ++i) {
        // A side of 256 is written as 0.
        const auto side = std::uint8_t(IconSizes[i] % 256);
        out.insert(out.end(), {side, side, 0, 0});
        PutLe(out, 1, 2);   // planes
        PutLe(out, 32, 2);  // bits per pixel
        PutLe(out, images[i].size(), 4);
        PutLe(out, offset, 4);
        offset += images[i].size();
    }
    for (const auto& image : images) out.insert(out.end(), image.begin(), image.end());
    return out;
}

std::vector<std::uint8_t> MonitorIconPng() { return PngFile(Monitor(32)); }

}  // namespace media

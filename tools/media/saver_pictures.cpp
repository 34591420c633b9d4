// The pictures the saver itself loads: the loading picture and the particle texture.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "picture_files.h"
#include "pictures.h"
#include "text.h"

namespace media {

std::vector<std::uint8_t> LoadingPicture() {
    Picture picture(256, 64, {0, 0, 0, 1});
    const Font font("DejaVuSans-Bold.ttf");
    const std::string text = "Loading...";
    constexpr float Size = 30;
    const float left = std::round((picture.width - font.Width(text, Size)) / 2);
    const float baseline = std::round((picture.height + font.CapitalHeight(Size)) / 2);
    // The pumpkin's warm orange, bright enough to read at a glance on black.
    font.Draw(picture, text, Size, {left, baseline}, {1.0f, 0.6f, 0.15f, 1});
    return JpegFile(picture);
}

namespace {
// A fixed pseudo-random value from 0 to 1 for each lattice point, so that every run
// draws the same texture.
float LatticeValue(int x, int y) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return static_cast<float>((h ^ (h >> 16)) & 0xFFFF) / 65535.0f;
}

// Smooth value noise, summed over three octaves: soft billows and finer streaks.
float Billows(float x, float y) {
    float total = 0, weight = 0, scale = 1, strength = 1;
    for (int octave = 0; octave < 3; ++octave) {
        const float fx = x * scale, fy = y * scale;
        const int ix = static_cast<int>(std::floor(fx)), iy = static_cast<int>(std::floor(fy));
        const float tx = fx - ix, ty = fy - iy;
        const float sx = tx * tx * (3 - 2 * tx), sy = ty * ty * (3 - 2 * ty);
        const float top = LatticeValue(ix, iy) + (LatticeValue(ix + 1, iy) - LatticeValue(ix, iy)) * sx;
        const float bottom = LatticeValue(ix, iy + 1) + (LatticeValue(ix + 1, iy + 1) - LatticeValue(ix, iy + 1)) * sx;
        total += strength * (top + (bottom - top) * sy);
        weight += strength;
        scale *= 2.1f;
        strength *= 0.5f;
    }
    return total / weight;
}
}  // namespace

std::vector<std::uint8_t> SmokeTexture() {
    constexpr int Size = 64;
    Picture picture(Size, Size, {0, 0, 0, 1});
    for (int y = 0; y < Size; ++y) {
        for (int x = 0; x < Size; ++x) {
            const float dx = (x + 0.5f) / Size * 2 - 1, dy = (y + 0.5f) / Size * 2 - 1;
            const float r = std::min(1.0f, std::sqrt(dx * dx + dy * dy));
            // Bright in the middle, fading smoothly to pure black at the rim, which the
            // engine keys out; the blending adds the rest, so dim edges stay soft.
            const float falloff = 1 - r * r * (3 - 2 * r);
            // Billows break the disc up, more towards its rim than in its middle: many
            // of them overlapping, each turned its own way, read as a wisp of smoke
            // rather than a row of round blobs, and a flame's core stays whole.
            const float billows = Billows(dx * 2.5f + 7, dy * 2.5f + 3);
            const float streaks = std::clamp(billows * 2.4f - 0.7f, 0.0f, 1.0f);
            const float broken = 1 - std::min(1.0f, 1.6f * r) * (1 - streaks);
            const float value = 0.9f * falloff * falloff * broken;
            picture.At(x, y) = {value, value, value, 1};
        }
    }
    return BmpFile(picture);
}

}  // namespace media

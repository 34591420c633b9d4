// The pictures the saver itself loads: the loading picture and the particle texture.
#include <algorithm>
#include <cmath>

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
            const float value = 0.9f * falloff * falloff;
            picture.At(x, y) = {value, value, value, 1};
        }
    }
    return BmpFile(picture);
}

}  // namespace media

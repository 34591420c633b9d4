// Layout of the still and the banner around the render's lit pumpkin.
#include "stills.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "framing.h"
#include "picture_files.h"
#include "text.h"

namespace stills {

namespace {
const glm::vec4 Black{0, 0, 0, 1};
const glm::vec4 NameRed{0.9f, 0.08f, 0.04f, 1};
const std::string ProductName = "Kelvora";
constexpr const char* NameFont = "DejaVuSerif-Bold.ttf";
}  // namespace

std::vector<std::uint8_t> PreviewStill(const media::Picture& render) {
    media::Picture picture(151, 119, Black);
    DrawFitted(picture, {8, 6, 135, 107}, render, PumpkinBounds(render));
    const media::Font font(NameFont);
    constexpr float size = 13, margin = 3;
    font.Draw(picture, ProductName, size, {picture.width - margin - std::ceil(font.Width(ProductName, size)),
                                           margin + std::ceil(font.CapitalHeight(size))},
              NameRed);
    return media::RgbPngFile(picture);
}

std::vector<std::uint8_t> DialogBanner(const media::Picture& render) {
    media::Picture picture(198, 121, Black);
    DrawFitted(picture, {4, 8, 92, 105}, render, PumpkinBounds(render));
    const media::Font font(NameFont);
    const float room = picture.width - 100.0f - 4;
    const float size = std::min(28.0f, 28.0f * room / font.Width(ProductName, 28));
    const float left = 100 + std::round((room - font.Width(ProductName, size)) / 2);
    font.Draw(picture, ProductName, size, {left, std::round((picture.height + font.CapitalHeight(size)) / 2)},
              NameRed);
    return media::PngFile(picture);
}

}  // namespace stills

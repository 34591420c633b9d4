// The settings dialog's two link buttons (tools/stills renders its banner).
#include <cmath>

#include "picture_files.h"
#include "pictures.h"
#include "text.h"

namespace media {

namespace {
const glm::vec4 Transparent{0, 0, 0, 0};
const glm::vec4 Black{0, 0, 0, 1};

Shape RightArrow(glm::vec2 tip, float length, float halfHeight, glm::vec4 color) {
    const std::vector<glm::vec2> corners{{tip.x - length, tip.y - halfHeight}, tip,
                                         {tip.x - length, tip.y + halfHeight}};
    return [=](glm::vec2 p) { return InsidePolygon(p, corners) ? color : Transparent; };
}

// Link text with an arrow after it, on a transparent background, centred vertically.
std::vector<std::uint8_t> LinkButton(int width, int height, const std::string& text, float size, glm::vec4 color) {
    Picture picture(width, height, Transparent);
    const Font font("DejaVuSans-Bold.ttf");
    const float capital = font.CapitalHeight(size);
    const float baseline = std::round((height + capital) / 2);
    font.Draw(picture, text, size, {1, baseline}, color);
    const float arrowStart = 1 + font.Width(text, size) + 4;
    Paint(picture, RightArrow({arrowStart + capital * 0.8f, baseline - capital / 2}, capital * 0.8f, capital / 2, color));
    return PngFile(picture);
}
}  // namespace

std::vector<std::uint8_t> TellFriendButton() {
    return LinkButton(103, 19, "Tell a friend", 12, {0.1f, 0.2f, 0.85f, 1});
}

std::vector<std::uint8_t> WebsiteButton() { return LinkButton(86, 17, "Our website", 11, Black); }

}  // namespace media

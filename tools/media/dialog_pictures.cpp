// The settings dialog's pictures: the banner and the two link buttons.
//
// The banner's pumpkin is drawn in 2D for now; once the engine renders scenes off screen
// it is to be replaced by a render of kelvora.3ds, like the preview still.
#include <algorithm>
#include <cmath>

#include "picture_files.h"
#include "pictures.h"
#include "text.h"

namespace media {

namespace {
const glm::vec4 Transparent{0, 0, 0, 0};
const glm::vec4 Black{0, 0, 0, 1};

// A carved pumpkin seen from the front, lit from inside: overlapping lobes darkening
// towards their rims, a glowing face and a stem. Units: the body's half-width and half-height.
Shape FrontPumpkin(glm::vec2 centre, glm::vec2 halfSize) {
    return [=](glm::vec2 pixel) -> glm::vec4 {
        const glm::vec2 p = (pixel - centre) / halfSize;  // x right, y down
        auto face = [&](std::vector<glm::vec2> corners) { return InsidePolygon(p, corners); };
        const bool carved = face({{-0.62f, -0.08f}, {-0.16f, -0.08f}, {-0.36f, -0.5f}}) ||
                            face({{0.16f, -0.08f}, {0.62f, -0.08f}, {0.36f, -0.5f}}) ||
                            face({{-0.12f, 0.2f}, {0.12f, 0.2f}, {0, -0.04f}}) ||
                            face({{-0.7f, 0.3f}, {-0.4f, 0.42f}, {-0.3f, 0.42f}, {-0.3f, 0.32f}, {-0.18f, 0.32f},
                                  {-0.18f, 0.44f}, {0.18f, 0.44f}, {0.18f, 0.32f}, {0.3f, 0.32f}, {0.3f, 0.42f},
                                  {0.4f, 0.42f}, {0.7f, 0.3f}, {0.45f, 0.68f}, {0.06f, 0.76f}, {0.06f, 0.64f},
                                  {-0.06f, 0.64f}, {-0.06f, 0.76f}, {-0.45f, 0.68f}});
        // Lobes from the back to the front; the first (frontmost) that holds the point paints it.
        struct Lobe {
            float x, halfWidth, halfHeight;
        };
        static const Lobe lobes[] = {{0, 0.42f, 1.0f},     {-0.42f, 0.5f, 0.95f}, {0.42f, 0.5f, 0.95f},
                                     {-0.66f, 0.34f, 0.85f}, {0.66f, 0.34f, 0.85f}};
        for (const Lobe& lobe : lobes) {
            const glm::vec2 q{(p.x - lobe.x) / lobe.halfWidth, p.y / lobe.halfHeight};
            const float d2 = glm::dot(q, q);
            if (d2 > 1) continue;
            if (carved) {
                const float glow = 1 - 0.5f * std::min(1.0f, glm::length(p - glm::vec2(0, 0.15f)));
                return {1.0f, 0.55f + 0.4f * glow, 0.1f + 0.35f * glow, 1};
            }
            const float shade = 1 - 0.6f * d2;
            return {0.95f * shade, 0.42f * shade, 0.05f * shade, 1};
        }
        // The stem, leaning a little to the right.
        if (face({{-0.08f, -0.9f}, {0.08f, -0.92f}, {0.18f, -1.25f}, {0.06f, -1.27f}})) return {0.35f, 0.3f, 0.1f, 1};
        return Transparent;
    };
}

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

std::vector<std::uint8_t> DialogBanner() {
    Picture picture(198, 121, Black);
    Paint(picture, FrontPumpkin({50, 68}, {46, 38}));
    const Font font("DejaVuSerif-Bold.ttf");
    const std::string name = "Kelvora";
    const float room = picture.width - 100.0f - 4;
    const float size = std::min(28.0f, 28.0f * room / font.Width(name, 28));
    const float left = 100 + std::round((room - font.Width(name, size)) / 2);
    font.Draw(picture, name, size, {left, std::round((picture.height + font.CapitalHeight(size)) / 2)},
              {0.9f, 0.08f, 0.04f, 1});
    return PngFile(picture);
}

std::vector<std::uint8_t> TellFriendButton() {
    return LinkButton(103, 19, "Tell a friend", 12, {0.1f, 0.2f, 0.85f, 1});
}

std::vector<std::uint8_t> WebsiteButton() { return LinkButton(86, 17, "Our website", 11, Black); }

}  // namespace media

#include "engine/frame_rate_text.h"

#include <cstdint>
#include <cstdio>
#include <string_view>
#include <vector>

#include "engine/picture.h"
#include "engine/sprite_renderer.h"

namespace engine {

namespace {

constexpr int GlyphWidth = 3, GlyphHeight = 5;

// The characters a rate needs, each 3 x 5 pixels, rows from the top, "#" lit; the last,
// all lit, fills the band behind the text.
struct Glyph {
    char character;
    const char* rows[GlyphHeight];
};
constexpr Glyph Font[] = {
    {'0', {"###", "#.#", "#.#", "#.#", "###"}}, {'1', {".#.", "##.", ".#.", ".#.", "###"}},
    {'2', {"###", "..#", "###", "#..", "###"}}, {'3', {"###", "..#", ".##", "..#", "###"}},
    {'4', {"#.#", "#.#", "###", "..#", "..#"}}, {'5', {"###", "#..", "###", "..#", "###"}},
    {'6', {"###", "#..", "###", "#.#", "###"}}, {'7', {"###", "..#", ".#.", ".#.", ".#."}},
    {'8', {"###", "#.#", "###", "#.#", "###"}}, {'9', {"###", "#.#", "###", "..#", "###"}},
    {'.', {"...", "...", "...", "...", ".#."}}, {'f', {".##", "#..", "###", "#..", "#.."}},
    {'p', {"###", "#.#", "###", "#..", "#.."}}, {'s', {".##", "#..", ".#.", "..#", "##."}},
    {'\0', {"###", "###", "###", "###", "###"}},
};
constexpr int GlyphCount = sizeof Font / sizeof Font[0];
// Each glyph has a column of space after it, so that sampling one never bleeds into the next.
constexpr int FontWidth = GlyphCount * (GlyphWidth + 1);

// Display pixels a font pixel covers, the text's distance from the picture's edges, and
// the band's reach around the text.
constexpr float Scale = 3, Margin = 6, Padding = 3;

int GlyphIndex(char c) {
    for (int i = 0; i < GlyphCount; ++i)
        if (Font[i].character == c) return i;
    return -1;
}

void AddQuad(std::vector<SpriteVertex>& triangles, float x1, float y1, float x2, float y2, int glyph,
             const glm::vec4& colour) {
    float u1 = static_cast<float>(glyph * (GlyphWidth + 1)) / FontWidth;
    float u2 = static_cast<float>(glyph * (GlyphWidth + 1) + GlyphWidth) / FontWidth;
    SpriteVertex topLeft{{x1, y1, 0}, {u1, 0}, colour}, topRight{{x2, y1, 0}, {u2, 0}, colour};
    SpriteVertex bottomLeft{{x1, y2, 0}, {u1, 1}, colour}, bottomRight{{x2, y2, 0}, {u2, 1}, colour};
    triangles.insert(triangles.end(), {topLeft, topRight, bottomRight, topLeft, bottomRight, bottomLeft});
}

}  // namespace

FrameRateText::FrameRateText(DrawingLayer& layer) {
    // White everywhere; the glyphs' pixels opaque, the rest clear.
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(FontWidth) * GlyphHeight * 4, 255);
    for (int y = 0; y < GlyphHeight; ++y) {
        for (int x = 0; x < FontWidth; ++x) {
            int column = x % (GlyphWidth + 1);
            bool lit = column < GlyphWidth && Font[x / (GlyphWidth + 1)].rows[y][column] == '#';
            rgba[(static_cast<std::size_t>(y) * FontWidth + x) * 4 + 3] = lit ? 255 : 0;
        }
    }
    font_ = layer.MakeTexture(Picture{FontWidth, GlyphHeight, std::move(rgba)}, false, false);
}

FrameRateText::~FrameRateText() = default;

void FrameRateText::Draw(double rate, Display& display) {
    if (rate < 0) return;
    int displayHeight = display.DisplayHeight();
    char text[32];
    std::snprintf(text, sizeof text, "%.1f fps", rate);
    std::string_view shown = text;

    const float advance = (GlyphWidth + 1) * Scale;
    const float bottom = displayHeight - Margin, top = bottom - GlyphHeight * Scale;
    const float right = Margin + shown.size() * advance - Scale;
    std::vector<SpriteVertex> triangles;
    AddQuad(triangles, Margin - Padding, top - Padding, right + Padding, bottom + Padding, GlyphCount - 1,
            {0, 0, 0, 0.6f});
    float x = Margin;
    for (char c : shown) {
        int glyph = GlyphIndex(c);
        if (c != ' ' && glyph >= 0) AddQuad(triangles, x, top, x + GlyphWidth * Scale, bottom, glyph, {1, 1, 1, 1});
        x += advance;
    }
    SpriteDraw how;
    how.texture = font_.get();
    how.projection = display.PixelProjection();
    DrawSprites(display, triangles.data(), triangles.size(), how);
}

}  // namespace engine

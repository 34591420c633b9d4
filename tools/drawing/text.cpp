// Glyphs are rendered at their sub-pixel position and laid over the picture by coverage.
#include "text.h"

#include <cmath>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include <stb/stb_truetype.h>

namespace media {

struct Font::Face {
    stbtt_fontinfo info;
};

Font::Font(const std::string& dejaVuFile) : face_(std::make_unique<Face>()) {
    const std::string path = "/usr/share/fonts/truetype/dejavu/" + dejaVuFile;
    std::ifstream in(path, std::ios::binary);
    file_.assign(std::istreambuf_iterator<char>(in), {});
    if (file_.empty() || !stbtt_InitFont(&face_->info, file_.data(), stbtt_GetFontOffsetForIndex(file_.data(), 0))) {
        throw std::runtime_error("cannot read the font " + path + " (fonts-dejavu-core installed?)");
    }
}

Font::~Font() = default;

float Font::Width(const std::string& text, float pixelHeight) const {
    const float scale = stbtt_ScaleForPixelHeight(&face_->info, pixelHeight);
    float width = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        int advance, bearing;
        stbtt_GetCodepointHMetrics(&face_->info, text[i], &advance, &bearing);
        width += advance * scale;
        if (i + 1 < text.size()) width += scale * stbtt_GetCodepointKernAdvance(&face_->info, text[i], text[i + 1]);
    }
    return width;
}

float Font::CapitalHeight(float pixelHeight) const {
    int x0, y0, x1, y1;
    stbtt_GetCodepointBox(&face_->info, 'H', &x0, &y0, &x1, &y1);
    return y1 * stbtt_ScaleForPixelHeight(&face_->info, pixelHeight);
}

void Font::Draw(Picture& picture, const std::string& text, float pixelHeight, glm::vec2 origin,
                glm::vec4 color) const {
    const float scale = stbtt_ScaleForPixelHeight(&face_->info, pixelHeight);
    float penX = origin.x;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int codepoint = static_cast<unsigned char>(text[i]);
        const float shiftX = penX - std::floor(penX), shiftY = origin.y - std::floor(origin.y);
        int width, height, left, top;
        unsigned char* coverage = stbtt_GetCodepointBitmapSubpixel(&face_->info, scale, scale, shiftX, shiftY,
                                                                  codepoint, &width, &height, &left, &top);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const int px = int(std::floor(penX)) + left + x, py = int(std::floor(origin.y)) + top + y;
                if (px < 0 || py < 0 || px >= picture.width || py >= picture.height) continue;
                Blend(picture.At(px, py), color, coverage[y * width + x] / 255.0f);
            }
        }
        stbtt_FreeBitmap(coverage, nullptr);
        int advance, bearing;
        stbtt_GetCodepointHMetrics(&face_->info, codepoint, &advance, &bearing);
        penX += advance * scale;
        if (i + 1 < text.size()) penX += scale * stbtt_GetCodepointKernAdvance(&face_->info, codepoint, text[i + 1]);
    }
}

}  // namespace media

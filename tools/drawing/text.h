// Text in pictures, drawn with Debian's DejaVu fonts through stb_truetype.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include <glm/glm.hpp>

#include "picture.h"

namespace media {

class Font {
public:
    // A file under /usr/share/fonts/truetype/dejavu/, e.g. "DejaVuSans-Bold.ttf".
    explicit Font(const std::string& dejaVuFile);
    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    // Advance width of the text in pixels at the given pixel height.
    float Width(const std::string& text, float pixelHeight) const;
    // Height above the baseline of capital letters, in pixels.
    float CapitalHeight(float pixelHeight) const;
    // Draws plain ASCII text with its baseline starting at `origin`.
    void Draw(Picture& picture, const std::string& text, float pixelHeight, glm::vec2 origin,
              glm::vec4 color) const;

private:
    struct Face;
    std::vector<unsigned char> file_;
    std::unique_ptr<Face> face_;
};

}  // namespace media

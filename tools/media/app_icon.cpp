// The jack-o'-lantern icon: ellipses and polygons on a 256-unit square, painted over a
// transparent picture for each size and written as the same elements in SVG, so that every
// size shows one drawing.
#include "app_icon.h"

#include <cstdio>
#include <variant>

#include "picture_files.h"

namespace media {

namespace {

constexpr float Units = 256;

struct Ellipse {
    glm::vec2 centre, radii;
};
using Outline = std::vector<glm::vec2>;

struct IconShape {
    std::variant<Ellipse, Outline> form;
    glm::vec4 colour;
};

glm::vec4 Rgb(int hex) {
    return {((hex >> 16) & 0xFF) / 255.0f, ((hex >> 8) & 0xFF) / 255.0f, (hex & 0xFF) / 255.0f, 1};
}

// Back to front: the stem, the outer lobes in shade, the lit front lobe, then the carved
// face glowing with the candle behind it.
const std::vector<IconShape>& Shapes() {
    static const std::vector<IconShape> shapes = {
        {Outline{{116, 78}, {140, 78}, {146, 44}, {158, 30}, {148, 22}, {130, 38}}, Rgb(0x5B6B2B)},
        {Ellipse{{86, 154}, {72, 86}}, Rgb(0xC4561A)},
        {Ellipse{{170, 154}, {72, 86}}, Rgb(0xC4561A)},
        {Ellipse{{128, 152}, {62, 92}}, Rgb(0xE8741E)},
        {Outline{{72, 134}, {112, 134}, {96, 102}}, Rgb(0xFFD54A)},
        {Outline{{144, 134}, {184, 134}, {160, 102}}, Rgb(0xFFD54A)},
        {Outline{{118, 164}, {138, 164}, {128, 146}}, Rgb(0xFFD54A)},
        {Outline{{62, 170}, {88, 182}, {100, 172}, {114, 184}, {142, 184}, {156, 172}, {168, 182}, {194, 170},
                 {176, 206}, {128, 222}, {80, 206}},
         Rgb(0xFFB52E)},
    };
    return shapes;
}

bool Inside(const IconShape& shape, glm::vec2 at) {
    if (const Ellipse* ellipse = std::get_if<Ellipse>(&shape.form)) {
        const glm::vec2 d = (at - ellipse->centre) / ellipse->radii;
        return glm::dot(d, d) <= 1;
    }
    return InsidePolygon(at, std::get<Outline>(shape.form));
}

std::string Hex(glm::vec4 colour) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", static_cast<int>(colour.r * 255 + 0.5f),
                  static_cast<int>(colour.g * 255 + 0.5f), static_cast<int>(colour.b * 255 + 0.5f));
    return text;
}

std::string Number(float value) {
    char text[16];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
    return text;
}

std::string SvgElement(const IconShape& shape) {
    const std::string fill = " fill=\"" + Hex(shape.colour) + "\"/>\n";
    if (const Ellipse* ellipse = std::get_if<Ellipse>(&shape.form))
        return "  <ellipse cx=\"" + Number(ellipse->centre.x) + "\" cy=\"" + Number(ellipse->centre.y) +
               "\" rx=\"" + Number(ellipse->radii.x) + "\" ry=\"" + Number(ellipse->radii.y) + "\"" + fill;
    std::string points;
    for (const glm::vec2& corner : std::get<Outline>(shape.form))
        points += (points.empty() ? "" : " ") + Number(corner.x) + "," + Number(corner.y);
    return "  <polygon points=\"" + points + "\"" + fill;
}

}  // namespace

std::vector<std::uint8_t> AppIconPng(int size) {
    Picture picture(size, size, {0, 0, 0, 0});
    const float scale = Units / static_cast<float>(size);
    for (const IconShape& shape : Shapes()) {
        Paint(picture, [&](glm::vec2 at) { return Inside(shape, at * scale) ? shape.colour : glm::vec4(0); });
    }
    return PngFile(picture);
}

std::vector<std::uint8_t> AppIconSvg() {
    std::string text = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" "
                       "viewBox=\"0 0 256 256\">\n";
    for (const IconShape& shape : Shapes()) text += SvgElement(shape);
    text += "</svg>\n";
    return {text.begin(), text.end()};
}

}  // namespace media

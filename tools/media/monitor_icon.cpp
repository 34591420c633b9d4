// The 32 x 32, 16-colour icon of a monitor: drawn in the standard Windows palette, written
// as a .ico (4-bit image plus transparency mask, as windres takes it) and as a PNG.
#include <array>
#include <cstdint>

#include "picture_files.h"
#include "pictures.h"

namespace media {

namespace {
constexpr int Size = 32;

// The 16 colours every Windows display has.
enum PaletteIndex : std::uint8_t {
    BlackIndex = 0, Maroon = 1, Green = 2, Olive = 3, Navy = 4, Purple = 5, Teal = 6, Silver = 7,
    Grey = 8, Red = 9, Lime = 10, Yellow = 11, Blue = 12, Fuchsia = 13, Aqua = 14, White = 15,
};
constexpr std::array<std::array<std::uint8_t, 3>, 16> Palette{{
    {0, 0, 0}, {128, 0, 0}, {0, 128, 0}, {128, 128, 0}, {0, 0, 128}, {128, 0, 128}, {0, 128, 128},
    {192, 192, 192}, {128, 128, 128}, {255, 0, 0}, {0, 255, 0}, {255, 255, 0}, {0, 0, 255},
    {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
}};

struct IconPixels {
    std::array<std::uint8_t, Size * Size> index{};
    std::array<bool, Size * Size> opaque{};

    void Fill(int x0, int y0, int x1, int y1, std::uint8_t colour) {
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) {
                index[y * Size + x] = colour;
                opaque[y * Size + x] = true;
            }
    }
    // A raised box: white light on the top and left, grey shade on the bottom and right,
    // and a black outline.
    void Box(int x0, int y0, int x1, int y1, std::uint8_t face) {
        Fill(x0, y0, x1, y1, BlackIndex);
        Fill(x0 + 1, y0 + 1, x1 - 1, y1 - 1, Grey);
        Fill(x0 + 1, y0 + 1, x1 - 2, y1 - 2, White);
        Fill(x0 + 2, y0 + 2, x1 - 2, y1 - 2, face);
    }
};

IconPixels Monitor() {
    IconPixels icon;
    icon.Box(2, 2, 29, 23, Silver);
    // The screen, sunk into the case, with a glint in its top left corner.
    icon.Fill(5, 5, 26, 19, Grey);
    icon.Fill(6, 6, 26, 19, BlackIndex);
    icon.Fill(7, 7, 25, 18, Navy);
    icon.Fill(8, 8, 10, 8, Teal);
    icon.Fill(8, 9, 8, 10, Teal);
    // A tiny lit pumpkin on the screen.
    icon.Fill(15, 10, 16, 10, Olive);
    icon.Fill(14, 11, 17, 11, Red);
    icon.Fill(13, 12, 18, 14, Red);
    icon.Fill(14, 15, 17, 15, Red);
    icon.Fill(14, 12, 14, 12, Yellow);
    icon.Fill(17, 12, 17, 12, Yellow);
    icon.Fill(14, 14, 17, 14, Yellow);
    // The power light, the neck and the foot.
    icon.Fill(25, 21, 26, 21, Lime);
    icon.Fill(13, 24, 18, 26, BlackIndex);
    icon.Fill(14, 24, 17, 26, Grey);
    icon.Box(7, 27, 24, 30, Silver);
    return icon;
}

void PutLe(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(std::uint8_t(value >> (8 * i)));
}
}  // namespace

std::vector<std::uint8_t> MonitorIcon() {
    const IconPixels icon = Monitor();
    constexpr std::uint32_t HeaderSize = 40, PaletteSize = 16 * 4;
    constexpr std::uint32_t ColourBytes = Size * Size / 2, MaskBytes = Size * Size / 8;
    std::vector<std::uint8_t> out;
    // The icon directory: one 32 x 32 image of 16 colours, right after the directory.
    PutLe(out, 0, 2);
    PutLe(out, 1, 2);
    PutLe(out, 1, 2);
    out.insert(out.end(), {Size, Size, 16, 0});
    PutLe(out, 1, 2);   // planes
    PutLe(out, 4, 2);   // bits per pixel
    PutLe(out, HeaderSize + PaletteSize + ColourBytes + MaskBytes, 4);
    PutLe(out, 6 + 16, 4);
    // The image: a BMP header whose height counts the colour rows and the mask rows.
    PutLe(out, HeaderSize, 4);
    PutLe(out, Size, 4);
    PutLe(out, 2 * Size, 4);
    PutLe(out, 1, 2);
    PutLe(out, 4, 2);
    PutLe(out, 0, 4);  // uncompressed
    PutLe(out, ColourBytes + MaskBytes, 4);
    PutLe(out, 0, 4);
    PutLe(out, 0, 4);
    PutLe(out, 16, 4);
    PutLe(out, 0, 4);
    for (const auto& rgb : Palette) out.insert(out.end(), {rgb[2], rgb[1], rgb[0], 0});
    // Rows from the bottom up; two pixels a byte, the left one in the high half.
    for (int y = Size - 1; y >= 0; --y)
        for (int x = 0; x < Size; x += 2)
            out.push_back(std::uint8_t(icon.index[y * Size + x] << 4 | icon.index[y * Size + x + 1]));
    // The mask, also bottom up: a set bit lets the background show through.
    for (int y = Size - 1; y >= 0; --y)
        for (int x = 0; x < Size; x += 8) {
            std::uint8_t bits = 0;
            for (int k = 0; k < 8; ++k)
                if (!icon.opaque[y * Size + x + k]) bits |= std::uint8_t(0x80 >> k);
            out.push_back(bits);
        }
    return out;
}

std::vector<std::uint8_t> MonitorIconPng() {
    const IconPixels icon = Monitor();
    Picture picture(Size, Size, {0, 0, 0, 0});
    for (int i = 0; i < Size * Size; ++i) {
        if (!icon.opaque[i]) continue;
        const auto& rgb = Palette[icon.index[i]];
        picture.pixels[i] = {rgb[0] / 255.0f, rgb[1] / 255.0f, rgb[2] / 255.0f, 1};
    }
    return PngFile(picture);
}

}  // namespace media

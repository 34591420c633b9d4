// File encoding through stb_image_write, collected in memory.
#include "picture_files.h"

#include <stdexcept>

#include <stb/stb_image_write.h>

namespace media {

namespace {
constexpr int JpegQuality = 95;

void Append(void* context, void* data, int size) {
    auto* bytes = static_cast<std::vector<std::uint8_t>*>(context);
    const auto* from = static_cast<const std::uint8_t*>(data);
    bytes->insert(bytes->end(), from, from + size);
}

std::vector<std::uint8_t> Checked(std::vector<std::uint8_t> bytes, int written) {
    if (!written || bytes.empty()) throw std::runtime_error("picture encoding failed");
    return bytes;
}

// The PNG of pixels with this many 8-bit channels each, rows top first.
std::vector<std::uint8_t> Png(const Picture& picture, const std::vector<std::uint8_t>& pixels, int channels) {
    std::vector<std::uint8_t> bytes;
    const int ok = stbi_write_png_to_func(Append, &bytes, picture.width, picture.height, channels, pixels.data(),
                                          picture.width * channels);
    return Checked(std::move(bytes), ok);
}
}  // namespace

std::vector<std::uint8_t> PngFile(const Picture& picture) { return Png(picture, Rgba8(picture), 4); }

std::vector<std::uint8_t> RgbPngFile(const Picture& picture) { return Png(picture, Rgb8(picture), 3); }

std::vector<std::uint8_t> JpegFile(const Picture& picture) {
    std::vector<std::uint8_t> bytes;
    const auto pixels = Rgb8(picture);
    const int ok = stbi_write_jpg_to_func(Append, &bytes, picture.width, picture.height, 3, pixels.data(),
                                          JpegQuality);
    return Checked(std::move(bytes), ok);
}

std::vector<std::uint8_t> BmpFile(const Picture& picture) {
    std::vector<std::uint8_t> bytes;
    const auto pixels = Rgb8(picture);
    const int ok = stbi_write_bmp_to_func(Append, &bytes, picture.width, picture.height, 3, pixels.data());
    return Checked(std::move(bytes), ok);
}

}  // namespace media

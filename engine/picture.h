// Pictures in memory, four bytes RGBA a pixel, rows from the top: decoding JPEG, BMP
// and PNG files, keying a colour out to transparency, and resizing.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace engine {

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;
};

// Decodes a JPEG, BMP or PNG file held in memory. Refused with a RuntimeError, before any
// pixel is decoded: a damaged JPEG table or PNG chunk list, and a picture that declares a side longer than
// maxSide or more than kMaxPicturePixels pixels.
Picture DecodePicture(const std::uint8_t* data, std::size_t size, int maxSide);
// Reads the file through ReadMediaFile (a regular file of at most kMaxPictureBytes), then
// decodes it as DecodePicture does.
Picture ReadPictureFile(const std::string& path, int maxSide);
// Pixels whose colour is the key's red, green and blue (0xAARRGGBB) become transparent.
void KeyOut(Picture& picture, std::uint32_t key);
// Nearest pixel: enough for the few textures whose size a caller forces.
Picture Resized(const Picture& picture, int width, int height);

}  // namespace engine

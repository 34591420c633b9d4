// Pictures in memory, four bytes RGBA a pixel, rows from the top: decoding JPEG, BMP
// and PNG files, keying a colour out to transparency, and resizing.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace engine {

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;
};

Picture ReadPictureFile(const std::string& path);
// Pixels whose colour is the key's red, green and blue (0xAARRGGBB) become transparent.
void KeyOut(Picture& picture, std::uint32_t key);
// Nearest pixel: enough for the few textures whose size a caller forces.
Picture Resized(const Picture& picture, int width, int height);

}  // namespace engine

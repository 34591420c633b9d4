// Writes the picture fuzzer's starting inputs: small good JPEG (colour and grey, two
// qualities), BMP and PNG files for it to bend.
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STB_IMAGE_WRITE_STATIC
#include <stb/stb_image_write.h>

#include <cstdint>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    std::string folder = argv[1];
    const int width = 19, height = 13;
    std::vector<std::uint8_t> rgba, grey;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t r = static_cast<std::uint8_t>(x * 13), g = static_cast<std::uint8_t>(y * 19);
            rgba.insert(rgba.end(), {r, g, static_cast<std::uint8_t>(r ^ g), static_cast<std::uint8_t>(x * y)});
            grey.push_back(static_cast<std::uint8_t>(r + g));
        }
    bool ok = stbi_write_jpg((folder + "/colour.jpg").c_str(), width, height, 4, rgba.data(), 95) &&
              stbi_write_jpg((folder + "/colour_low.jpg").c_str(), width, height, 4, rgba.data(), 30) &&
              stbi_write_jpg((folder + "/grey.jpg").c_str(), width, height, 1, grey.data(), 80) &&
              stbi_write_bmp((folder + "/colour.bmp").c_str(), width, height, 3, rgba.data()) &&
              stbi_write_png((folder + "/colour.png").c_str(), width, height, 4, rgba.data(), width * 4) &&
              stbi_write_png((folder + "/grey.png").c_str(), width, height, 1, grey.data(), width);
    return ok ? 0 : 1;
}

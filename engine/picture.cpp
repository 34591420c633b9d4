#include "engine/picture.h"

// Kept private to this file, so that other code may build stb_image as well.
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_JPEG
#define STBI_ONLY_BMP
#define STBI_ONLY_PNG
#include <stb/stb_image.h>

#include <cstdio>
#include <memory>

#include "common/runtime_error.h"

namespace engine {

Picture ReadPictureFile(const std::string& path) {
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
    if (!file) throw RuntimeError(ErrorCode::InvalidArgument, "cannot open the picture " + path);
    int width = 0, height = 0, channels = 0;
    std::unique_ptr<stbi_uc, void (*)(void*)> pixels(
        stbi_load_from_file(file.get(), &width, &height, &channels, 4), stbi_image_free);
    if (!pixels)
        throw RuntimeError(ErrorCode::InvalidArgument,
                           "cannot read the picture " + path + ": " + stbi_failure_reason());
    Picture picture{width, height, {}};
    picture.rgba.assign(pixels.get(), pixels.get() + static_cast<std::size_t>(width) * height * 4);
    return picture;
}

void KeyOut(Picture& picture, std::uint32_t key) {
    std::uint8_t red = (key >> 16) & 0xFF, green = (key >> 8) & 0xFF, blue = key & 0xFF;
    for (std::size_t i = 0; i + 3 < picture.rgba.size(); i += 4)
        if (picture.rgba[i] == red && picture.rgba[i + 1] == green && picture.rgba[i + 2] == blue)
            picture.rgba[i + 3] = 0;
}

Picture Resized(const Picture& picture, int width, int height) {
    Picture result{width, height, std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * 4)};
    for (int y = 0; y < height; ++y) {
        int sourceY = static_cast<int>(static_cast<long long>(y) * picture.height / height);
        for (int x = 0; x < width; ++x) {
            int sourceX = static_cast<int>(static_cast<long long>(x) * picture.width / width);
            const std::uint8_t* from = &picture.rgba[(static_cast<std::size_t>(sourceY) * picture.width + sourceX) * 4];
            std::copy(from, from + 4, &result.rgba[(static_cast<std::size_t>(y) * width + x) * 4]);
        }
    }
    return result;
}

}  // namespace engine

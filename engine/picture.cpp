#include "engine/picture.h"

// Kept private to this file, so that other code may build stb_image as well.
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_JPEG
#define STBI_ONLY_BMP
#define STBI_ONLY_PNG
#define STBI_MALLOC(size) CappedAllocation(nullptr, size)
#define STBI_REALLOC(old, size) CappedAllocation(old, size)
#define STBI_FREE(block) std::free(block)

#include <cstdlib>
#include <limits>
#include <memory>

#include "common/color_bytes.h"
#include "engine/media_file.h"

namespace {

// The most one allocation of the decoder may take: a little more than the largest
// picture's rows as PNG stores them (eight bytes a pixel and a filter byte a row). The
// lengths in a damaged file, or a compressed stream that unpacks without end, then make
// the decoding fail instead of exhausting memory.
constexpr std::size_t kMaxDecoderAllocation = static_cast<std::size_t>(engine::kMaxPicturePixels) * 9;

void* CappedAllocation(void* old, std::size_t size) {
    return size <= kMaxDecoderAllocation ? std::realloc(old, size) : nullptr;
}

}  // namespace

#include <stb/stb_image.h>

#include "common/runtime_error.h"
#include "engine/jpeg_segments.h"
#include "engine/png_chunks.h"

namespace engine {

namespace {

[[noreturn]] void Unreadable(const std::string& why) {
    throw RuntimeError(ErrorCode::InvalidArgument, "cannot read the picture: " + why);
}

}  // namespace

Picture DecodePicture(const std::uint8_t* data, std::size_t size, int maxSide) {
    // The decoder reads from a buffer it is given, never from a null one.
    if (size < 8) Unreadable("too short to be a picture");
    if (size > static_cast<std::size_t>(std::numeric_limits<int>::max())) Unreadable("too large");
    // stb_image takes a file for a JPEG by its first byte and fill bytes that may follow.
    if (data[0] == 0xFF) CheckJpegSegments(data, size);
    CheckPngChunks(data, size);
    int width = 0, height = 0, channels = 0;
    int length = static_cast<int>(size);
    if (!stbi_info_from_memory(data, length, &width, &height, &channels)) Unreadable(stbi_failure_reason());
    if (width <= 0 || height <= 0 || width > maxSide || height > maxSide ||
        static_cast<std::int64_t>(width) * height > kMaxPicturePixels)
        Unreadable("its size " + std::to_string(width) + " x " + std::to_string(height) + " is out of range");
    std::unique_ptr<stbi_uc, void (*)(void*)> pixels(
        stbi_load_from_memory(data, length, &width, &height, &channels, 4), stbi_image_free);
    if (!pixels) Unreadable(stbi_failure_reason());
    Picture picture{width, height, {}};
    picture.rgba.assign(pixels.get(), pixels.get() + static_cast<std::size_t>(width) * height * 4);
    return picture;
}

Picture ReadPictureFile(const std::string& path, int maxSide) {
    std::vector<std::uint8_t> bytes = ReadMediaFile(path, kMaxPictureBytes, "picture");
    try {
        return DecodePicture(bytes.data(), bytes.size(), maxSide);
    } catch (const RuntimeError& failure) {
        throw RuntimeError(failure.code(), path + ": " + failure.what());
    }
}

void KeyOut(Picture& picture, std::uint32_t key) {
    ColorBytes keyed = UnpackColor(key, ColorLayout::RedHigh);
    for (std::size_t i = 0; i + 3 < picture.rgba.size(); i += 4)
        if (picture.rgba[i] == keyed.red && picture.rgba[i + 1] == keyed.green &&
            picture.rgba[i + 2] == keyed.blue)
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

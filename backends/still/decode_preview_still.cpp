// The still travels as PNG bytes inside the executable and is decoded here with stb_image.
// STB_IMAGE_STATIC keeps this copy of the decoder private to this file, so it cannot clash
// with another part of the program that compiles stb_image as well.
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#include <stb/stb_image.h>

#include <cstddef>
#include <memory>

#include "common/runtime_error.h"
#include "host/preview_holder.h"
#include "backends/still/preview_still.h"

extern const unsigned char PreviewStillPng[];
extern const std::size_t PreviewStillPngSize;

namespace platform {

std::vector<std::uint8_t> DecodePreviewStill() {
    int width = 0;
    int height = 0;
    int channels = 0;
    std::unique_ptr<stbi_uc, void (*)(void*)> pixels(
        stbi_load_from_memory(PreviewStillPng, static_cast<int>(PreviewStillPngSize), &width,
                              &height, &channels, 3),
        stbi_image_free);
    if (!pixels || width != PreviewStillWidth || height != PreviewStillHeight) {
        throw RuntimeError(ErrorCode::InvalidPropertyValue,
                           "the preview still inside the program cannot be read");
    }
    return {pixels.get(), pixels.get() + static_cast<std::size_t>(width) * height * 3};
}

}  // namespace platform

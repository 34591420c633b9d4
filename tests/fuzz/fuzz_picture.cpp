// libFuzzer target: the engine's picture decoding (JPEG, BMP, PNG) must refuse any input
// it cannot read with its one failure type, and never read or write out of bounds, shift
// too far or allocate without limit; a picture it accepts keeps to the size limits.
#include <cstddef>
#include <cstdint>

#include "common/runtime_error.h"
#include "engine/media_file.h"
#include "engine/picture.h"

// The largest texture side of common GL implementations, Mesa's among them.
constexpr int kLargestTextureSide = 16384;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        engine::Picture picture = engine::DecodePicture(data, size, kLargestTextureSide);
        // The decoder's allocation cap alone would let a larger picture through.
        bool withinLimits = picture.width > 0 && picture.height > 0 && picture.width <= kLargestTextureSide &&
                            picture.height <= kLargestTextureSide &&
                            static_cast<std::int64_t>(picture.width) * picture.height <= engine::kMaxPicturePixels &&
                            picture.rgba.size() == static_cast<std::size_t>(picture.width) * picture.height * 4;
        if (!withinLimits) __builtin_trap();
    } catch (const RuntimeError&) {
    }
    return 0;
}

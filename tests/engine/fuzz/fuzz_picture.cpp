// libFuzzer target: the engine's picture decoding (JPEG, BMP, PNG) must refuse any input
// it cannot read with its one failure type, and never read or write out of bounds, shift
// too far or allocate without limit.
#include <cstddef>
#include <cstdint>

#include "common/runtime_error.h"
#include "engine/picture.h"

// The largest texture side of common GL implementations, Mesa's among them.
constexpr int kLargestTextureSide = 16384;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        engine::DecodePicture(data, size, kLargestTextureSide);
    } catch (const RuntimeError&) {
    }
    return 0;
}

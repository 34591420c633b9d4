// Walks a PNG file's chunks up to its end chunk and refuses the lengths the decoder
// would trust past the file or into a buffer it has not made.
#include "engine/png_chunks.h"

#include <cstring>
#include <string>

#include "common/runtime_error.h"

namespace engine {

namespace {

constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// Length, type and (after the data) checksum.
constexpr std::size_t kChunkFrame = 12;

[[noreturn]] void Damaged(const std::string& what, std::size_t offset) {
    throw RuntimeError(ErrorCode::InvalidArgument, "damaged PNG picture: " + what + " at byte " + std::to_string(offset));
}

std::uint32_t BigEndian32(const std::uint8_t* at) {
    return static_cast<std::uint32_t>(at[0]) << 24 | at[1] << 16 | at[2] << 8 | at[3];
}

}  // namespace

void CheckPngChunks(const std::uint8_t* data, std::size_t size) {
    if (size < sizeof kSignature || std::memcmp(data, kSignature, sizeof kSignature) != 0) return;
    std::size_t at = sizeof kSignature;
    bool dataSeen = false;
    while (at < size) {
        if (size - at < kChunkFrame) Damaged("chunk header runs past the end", at);
        std::size_t length = BigEndian32(data + at);
        if (length > size - at - kChunkFrame) Damaged("chunk length runs past the end", at);
        const std::uint8_t* type = data + at + 4;
        if (std::memcmp(type, "IEND", 4) == 0) return;
        if (std::memcmp(type, "IDAT", 4) == 0) {
            if (!dataSeen && length == 0) Damaged("empty first image data chunk", at);
            dataSeen = true;
        }
        at += kChunkFrame + length;
    }
}

}  // namespace engine

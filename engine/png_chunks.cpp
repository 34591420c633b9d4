// Walks a PNG file's chunks up to its end chunk and refuses the lengths the decoder
// would trust past the file or into a buffer it has not made.
#include "engine/png_chunks.h"

#include <cstring>
#include <string>

#include "common/runtime_error.h"
#include "engine/byte_reader.h"

namespace engine {

namespace {

constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
// Length, type and (after the data) checksum.
constexpr std::size_t kChunkFrame = 12;

RuntimeError Damaged(const std::string& what, std::size_t offset) {
    return RuntimeError(ErrorCode::InvalidArgument, "damaged PNG picture: " + what + " at byte " + std::to_string(offset));
}

}  // namespace

void CheckPngChunks(const std::uint8_t* data, std::size_t size) {
    if (size < sizeof kSignature || std::memcmp(data, kSignature, sizeof kSignature) != 0) return;
    ByteReader file(data, sizeof kSignature, size, Damaged, " runs past the end");
    bool dataSeen = false;
    while (!file.AtEnd()) {
        const std::size_t at = file.Position();
        file.Need(kChunkFrame, "chunk header");
        std::size_t length = file.U32BigEndian("chunk length");
        if (length > size - at - kChunkFrame) throw Damaged("chunk length runs past the end", at);
        const std::uint8_t* type = data + file.Position();
        if (std::memcmp(type, "IEND", 4) == 0) return;
        if (std::memcmp(type, "IDAT", 4) == 0) {
            if (!dataSeen && length == 0) throw Damaged("empty first image data chunk", at);
            dataSeen = true;
        }
        // The type, the data and the checksum.
        file.Skip(4 + length + 4, "chunk");
    }
}

}  // namespace engine

// A check of a PNG file's chunk list before the decoder sees it: stb_image grows its
// buffer by a chunk's declared length before reading it, and copies into a buffer it
// has not yet made when the first data chunk is empty.
#pragma once
#include <cstddef>
#include <cstdint>

namespace engine {

// Throws a RuntimeError naming the first chunk that runs past the end of the file, or an
// empty first image data chunk. Input that does not start with the PNG signature is no
// PNG to stb_image and is left alone.
void CheckPngChunks(const std::uint8_t* data, std::size_t size);

}  // namespace engine

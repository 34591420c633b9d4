// Reading a media file (the model or a picture) whole, and the limits that keep a
// damaged or hostile file from hanging the saver or exhausting its memory.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace engine {

// The largest model file we read: many times our own pumpkin, far below what a damaged
// file could make us allocate.
constexpr std::size_t kMaxModelBytes = 64u << 20;
// The largest picture file we read.
constexpr std::size_t kMaxPictureBytes = 32u << 20;
// The most pixels a picture may declare: 64 MB once decoded to RGBA. Each side is also
// held to the GL implementation's largest texture.
constexpr std::int64_t kMaxPicturePixels = 4096 * 4096;

// The file's bytes. Only a regular file is opened, so a named pipe or a device in the
// file's place can neither block nor feed us without end; a larger file than maxBytes, or
// any of these, is refused with a RuntimeError naming the file and what is wrong.
std::vector<std::uint8_t> ReadMediaFile(const std::string& path, std::size_t maxBytes, const char* what);

}  // namespace engine

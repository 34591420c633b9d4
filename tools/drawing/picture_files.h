// Encodes pictures as the files the saver and its dialog load.
#pragma once
#include <cstdint>
#include <vector>

#include "picture.h"

namespace media {

std::vector<std::uint8_t> PngFile(const Picture& picture);     // RGBA, keeps transparency
std::vector<std::uint8_t> RgbPngFile(const Picture& picture);  // 8-bit RGB, no alpha
std::vector<std::uint8_t> JpegFile(const Picture& picture);
std::vector<std::uint8_t> BmpFile(const Picture& picture);  // 24-bit, no alpha

}  // namespace media

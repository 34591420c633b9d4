// The preview still that the holder windows put into Picture1's image.
#pragma once
#include <cstdint>
#include <vector>

namespace platform {

// The still's pixels as red, green, blue bytes, rows from the top, PreviewStillWidth x
// PreviewStillHeight of them.
std::vector<std::uint8_t> DecodePreviewStill();

}  // namespace platform

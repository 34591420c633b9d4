// The Linux program's icon, a lit jack-o'-lantern, for the desktop's icon theme: one set of
// shapes drawn as PNGs of each size the theme asks for and written as a scalable SVG.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace media {

// The sizes of the theme's fixed-size folders (16x16, 32x32, ...).
inline constexpr int AppIconSizes[] = {16, 32, 48, 64, 128, 256};

// size x size, transparent around the pumpkin.
std::vector<std::uint8_t> AppIconPng(int size);
std::vector<std::uint8_t> AppIconSvg();

}  // namespace media

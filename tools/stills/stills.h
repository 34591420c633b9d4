// The two pictures cut from the scene's render, each as the file its user loads.
#pragma once
#include <cstdint>
#include <vector>

#include "picture.h"

namespace stills {

// 151 x 119, 8-bit RGB: the lit pumpkin filling the picture, "Kelvora" in red in its
// upper-right corner; the preview window shows it.
std::vector<std::uint8_t> PreviewStill(const media::Picture& render);
// 198 x 121, opaque RGBA: the pumpkin on the left, the product's name in red beside it,
// on the settings dialog's black.
std::vector<std::uint8_t> DialogBanner(const media::Picture& render);

}  // namespace stills

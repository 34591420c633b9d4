// The generated pictures, each as the file its user loads.
#pragma once
#include <cstdint>
#include <vector>

namespace media {

// 256 x 64: "Loading..." on black, shown while the saver builds its scene.
std::vector<std::uint8_t> LoadingPicture();
// 64 x 64 24-bit BMP: a soft round puff on opaque black, the flame's and smoke's particle.
std::vector<std::uint8_t> SmokeTexture();
// 103 x 19 and 86 x 17, transparent: the dialog's two link buttons.
std::vector<std::uint8_t> TellFriendButton();
std::vector<std::uint8_t> WebsiteButton();
// The monitor in full colour: as a Windows icon of 16, 32, 48 and 256 pixels, and as a
// 32 x 32 PNG for the Linux window.
std::vector<std::uint8_t> MonitorIcon();
std::vector<std::uint8_t> MonitorIconPng();

}  // namespace media

// What the preview must leave in the window a host gives it, shared by the two hosts that
// check it (the X window of the Linux product, the Win32 window of kelvora.scr): the still
// at the window's corner, black from its edge to the edge of the block, and the host's own
// white beyond the block. The sizes are the product's own.
#pragma once
#include <cstdio>
#include <string>

#include "host/preview_holder.h"

namespace preview_expectation {

// The host's window: larger than the block, so that a preview drawing past it shows.
inline constexpr int WindowWidth = 200;
inline constexpr int WindowHeight = 150;

struct Rgb {
    int r, g, b;
    bool operator==(const Rgb&) const = default;
};

inline std::string Text(const Rgb& c) {
    char text[32];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", c.r, c.g, c.b);
    return text;
}

// The colour at (x, y) of the host's window; still holds the still's RGB rows, null when
// the preview must draw nothing. White, the host's ground, can never pass for the black
// margin, so a block left undrawn shows.
inline Rgb ExpectedColor(const unsigned char* still, int x, int y) {
    if (!still || x >= platform::PreviewBlockWidth || y >= platform::PreviewBlockHeight) {
        return {255, 255, 255};
    }
    if (x >= platform::PreviewStillWidth || y >= platform::PreviewStillHeight) return {0, 0, 0};
    const unsigned char* rgb = &still[(y * platform::PreviewStillWidth + x) * 3];
    return {rgb[0], rgb[1], rgb[2]};
}

}  // namespace preview_expectation

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

// The host's window, as pixelAt(x, y) reads it, against ExpectedColor: empty when every
// pixel is as expected, else how many differ and the first of them.
template <typename PixelAt>
std::string WindowDifferences(const unsigned char* still, PixelAt pixelAt) {
    int wrong = 0;
    std::string first;
    for (int y = 0; y < WindowHeight; ++y) {
        for (int x = 0; x < WindowWidth; ++x) {
            Rgb actual = pixelAt(x, y);
            Rgb expected = ExpectedColor(still, x, y);
            if (actual == expected) continue;
            if (wrong++ == 0) {
                first = "(" + std::to_string(x) + ", " + std::to_string(y) + ") is " +
                        Text(actual) + ", expected " + Text(expected);
            }
        }
    }
    if (!wrong) return "";
    return std::to_string(wrong) + " pixels differ; first at " + first;
}

}  // namespace preview_expectation

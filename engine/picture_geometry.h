// The picture's geometry: how it is fitted into a window, the size it is drawn at, where it
// lands in GL's terms, and its slow drift.
#pragma once
#include <glm/glm.hpp>

#include <vector>

#include "seams/display.h"

namespace engine {

// What the display is started with: the picture's size and whether it keeps its aspect
// (and covers its window), its multisampling and its gamma.
struct DisplayOptions {
    int width = 800;
    int height = 600;
    bool keepAspect = true;
    bool fillWindow = true;
    int antialiasSamples = 0;
    float gamma = 1.0f;
};

// Where the picture lands in the window, in window pixels from the top left.
struct WindowRect {
    int x = 0, y = 0, width = 0, height = 0;
};

// A rectangle as GL counts it: from the bottom left.
struct GlRect {
    int x = 0, y = 0, width = 0, height = 0;
};

WindowRect FitPicture(int pictureWidth, int pictureHeight, int windowWidth, int windowHeight,
                      bool keepAspect);

// A position in window pixels as a pixel of the picture, held inside it.
void WindowToPicture(const WindowRect& rect, int pictureWidth, int pictureHeight, int& x, int& y);

// The size the picture is drawn at: as large as the largest window shows it, but with no
// more than pixelBudget pixels (0: no limit), its aspect kept.
platform::PixelSize RenderSize(const DisplayOptions& options,
                               const std::vector<platform::PixelSize>& windows, long pixelBudget);

// The GL viewport of a picture placed at rect in a window of the given size, moved by drift
// (a share of its room each way, y down). Its room is most of the bars beside it, and at
// least a few per cent of the picture, which may then leave the window by as much.
GlRect PictureViewport(const WindowRect& rect, platform::PixelSize window, const glm::vec2& drift);

// The window pixels that a copy of the picture (of this size) scaled onto the viewport
// shows differently where the part of the picture (its pixels, GL's way up) changed: a
// shown pixel is filtered from the picture pixels beside it, so the part is widened by one
// picture pixel, then scaled and rounded outwards, within the viewport and the window.
GlRect ShownPart(const GlRect& part, platform::PixelSize picture, const GlRect& viewport, platform::PixelSize window);

// Where the picture has wandered at this time (seconds of the display's clock), as a
// share of its room each way, from -1 to 1: it starts in place and goes to and fro at an
// even, slow pace, so that no pixel of an OLED screen stays lit for hours and each step is
// one pixel. An edge that dwells nowhere ages no column more than its neighbours.
glm::vec2 PictureDrift(double seconds);

}  // namespace engine

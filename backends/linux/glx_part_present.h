// Shows a part of an X window's GL back buffer through GLX_MESA_copy_sub_buffer, which
// Mesa's software rasterisers offer: the copy leaves the back buffer as it was, where a
// swap leaves it undefined.
#pragma once
#include <SDL2/SDL.h>
#include <X11/Xlib.h>

#include <optional>

#include "seams/display.h"

namespace platform {

class GlxPartPresent {
public:
    // False where the window is not on X11 or its GLX offers no such copy; nothing was
    // shown.
    bool Present(SDL_Window* window, const PixelArea& part);

private:
    using CopySubBuffer = void (*)(::Display*, XID, int, int, int, int);
    // Looked up at the first present: the GLX of one process does not change.
    std::optional<CopySubBuffer> copy_;
};

}  // namespace platform

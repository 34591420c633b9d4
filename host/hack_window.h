// The native half of the window a screen-saver daemon's hack draws into (XScreenSaver on
// Linux): the daemon's own window, the screen's root window, or a window of the hack's
// own. Only platforms with such daemons have one.
#pragma once
#include <cstdint>
#include <functional>

#include "seams/display.h"

namespace platform {

class HackWindowSystem {
public:
    virtual ~HackWindowSystem() = default;

    // The native id of the screen's root window.
    virtual std::uint64_t RootWindowId() = 0;
    // The window of another program with this native id, made ready to carry the one
    // OpenGL context and handed to the display seam as it stands: never moved, sized,
    // shown or raised by us, its size followed as its owner changes it. Fails with a
    // message naming the id when there is no such window.
    virtual WindowHandle Adopt(std::uint64_t nativeId) = 0;
    // A shown, resizable window of the hack's own; onClose runs (from inside the event
    // pump) when the window system asks it to close.
    virtual WindowHandle OpenOwn(std::function<void()> onClose) = 0;
    // Lets go of an adopted window (which lives on) or destroys one of the hack's own.
    virtual void Release(WindowHandle window) = 0;
};

}  // namespace platform

// The native half of the full-screen saver window, as the scene opens, shows and closes
// it. Installed once at start (over the display backend), or by a test.
#pragma once
#include <functional>

#include "platform/display.h"

namespace platform {

class SaverWindowSystem {
public:
    virtual ~SaverWindowSystem() = default;
    virtual display::WindowHandle Create(std::function<void()> onClose) = 0;
    virtual void Show(display::WindowHandle window) = 0;
    virtual void Destroy(display::WindowHandle window) = 0;
};

SaverWindowSystem& SaverWindows();
void UseSaverWindows(SaverWindowSystem& windows);

}  // namespace platform

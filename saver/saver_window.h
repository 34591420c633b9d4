// The native half of the full-screen saver window, as frmSaver opens, shows and closes
// it: each backend's own window, or a test's fake.
#pragma once
#include <functional>

#include "seams/display.h"
#include "seams/slot.h"

namespace saver {

class SaverWindowSystem {
public:
    virtual ~SaverWindowSystem() = default;
    // A borderless window covering the primary monitor, created hidden, able to carry
    // an OpenGL context. onClose runs (from inside the event pump) when the window system
    // asks the window to close.
    virtual platform::WindowHandle Create(std::function<void()> onClose) = 0;
    virtual void Show(platform::WindowHandle window) = 0;
    virtual void Destroy(platform::WindowHandle window) = 0;
};

inline platform::Slot<SaverWindowSystem> SaverWindows{"SaverWindowSystem"};

}  // namespace saver

// The products' saver window system: the display backend's own saver window. Kept out
// of saver_window.h so that nothing in the core refers to the display backend.
#pragma once
#include "platform/display.h"
#include "platform/saver_window.h"

namespace platform {

class DisplaySaverWindows : public SaverWindowSystem {
public:
    display::WindowHandle Create(std::function<void()> onClose) override {
        return display::CreateSaverWindow(std::move(onClose));
    }
    void Show(display::WindowHandle window) override { display::ShowSaverWindow(window); }
    void Destroy(display::WindowHandle window) override { display::DestroySaverWindow(window); }
};

}  // namespace platform

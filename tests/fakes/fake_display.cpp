#include "fakes/fake_display.h"

#include <functional>
#include <stdexcept>

#include "fakes/call_log.h"

namespace fakes {

namespace {
FakeDisplay display;
std::function<void()> closeHandler;
}  // namespace

FakeDisplay& InstallFakeDisplay() {
    display = FakeDisplay();
    closeHandler = nullptr;
    return display;
}

void CloseSaverWindowFromOutside() {
    if (closeHandler) closeHandler();
}

}  // namespace fakes

namespace platform::display {

WindowHandle CreateSaverWindow(std::function<void()> onClose) {
    fakes::Log().Add("CreateSaverWindow()");
    if (fakes::display.createFails) throw std::runtime_error("no window");
    fakes::closeHandler = std::move(onClose);
    fakes::display.windowOpen = true;
    return fakes::SaverWindow;
}

void ShowSaverWindow(WindowHandle window) { fakes::Log().Add(fakes::Call("ShowSaverWindow", window)); }

void DestroySaverWindow(WindowHandle window) {
    fakes::Log().Add(fakes::Call("DestroySaverWindow", window));
    fakes::display.windowOpen = false;
    fakes::closeHandler = nullptr;
}

}  // namespace platform::display

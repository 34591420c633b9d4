#include "fakes/fake_display.h"

#include <functional>
#include <stdexcept>

#include "fakes/call_log.h"

namespace fakes {

namespace {
FakeDisplay display;
std::function<void()> closeHandler;

class FakeSaverWindows : public saver::SaverWindowSystem {
public:
    platform::WindowHandle Create(std::function<void()> onClose) override {
        Log().Add("CreateSaverWindow()");
        if (display.createFails) throw std::runtime_error("no window");
        closeHandler = std::move(onClose);
        display.windowOpen = true;
        return SaverWindow;
    }

    void Show(platform::WindowHandle window) override {
        Log().Add(Call("ShowSaverWindow", window));
    }

    void Destroy(platform::WindowHandle window) override {
        Log().Add(Call("DestroySaverWindow", window));
        display.windowOpen = false;
        closeHandler = nullptr;
    }
};
}  // namespace

FakeDisplay& InstallFakeDisplay() {
    static FakeSaverWindows windows;
    saver::SaverWindows.Install(windows);
    display = FakeDisplay();
    closeHandler = nullptr;
    return display;
}

void CloseSaverWindowFromOutside() {
    if (closeHandler) closeHandler();
}

}  // namespace fakes


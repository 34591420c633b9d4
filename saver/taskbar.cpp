#include "saver/taskbar.h"

#include "seams/windows_api.h"

namespace mScreenSaver {

namespace {
// Whether this process hid the taskbar; read only on the way out after a failure.
bool taskbarHidden = false;
}

void ShowTaskbar(Flag show) {
    platform::WindowsApi& windows = platform::Windows();
    platform::Handle taskbar = windows.FindWindowA("Shell_traywnd", "");
    windows.SetWindowPos(taskbar, platform::HwndTop, 0, 0, 0, 0,
                         show ? platform::SwpShowWindow : platform::SwpHideWindow);
    taskbarHidden = !show;
}

void RestoreTaskbarIfHidden() noexcept {
    if (!taskbarHidden) return;
    try {
        ShowTaskbar(True);
    } catch (...) {
        // The process is ending anyway; there is nothing left to tell.
    }
}

}  // namespace mScreenSaver

// Window messages to input-record events: virtual keys are the key codes, positions are
// the client area's.
#include "backends/windows/win32_input.h"

#include <windowsx.h>

namespace platform {

void FeedWin32Input(HWND window, UINT message, WPARAM wParam, LPARAM lParam, InputRecord& input) {
    const auto handle = reinterpret_cast<std::intptr_t>(window);
    const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    const auto key = static_cast<std::int32_t>(wParam);
    switch (message) {
    case WM_MOUSEMOVE:
        input.Motion(handle, x, y);
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
        input.Button(MouseButton::Left, message == WM_LBUTTONDOWN, handle, x, y);
        break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        input.Button(MouseButton::Right, message == WM_RBUTTONDOWN, handle, x, y);
        break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        input.Button(MouseButton::Middle, message == WM_MBUTTONDOWN, handle, x, y);
        break;
    case WM_MOUSEWHEEL:
        input.Wheel(GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA);
        break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
        // Bit 30 says the key was already down: an auto-repeat, or a key held before
        // the window had the keyboard. Neither is a fresh press.
        input.KeyDown(key, (lParam & (1 << 30)) != 0);
        break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        input.KeyUp(key);
        break;
    case WM_KILLFOCUS:
        input.FocusLost();
        break;
    default:
        break;
    }
}

}  // namespace platform

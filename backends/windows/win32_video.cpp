// The shared window-and-context state of the Windows backends and the one procedure of the
// saver windows, which hands every message to it.
#include "backends/windows/win32_video.h"

#include <cstring>
#include <exception>
#include <string>

#include "backends/windows/win32_input.h"
#include "backends/windows/window_failure.h"
#include "common/runtime_error.h"

namespace platform {

namespace {

constexpr const char* kWindowClass = "KelvoraSaverWindow";

// The class belongs to the process: a second registration finds it there.
void RegisterWindowClass(WNDPROC procedure) {
    WNDCLASSA windowClass{};
    // OpenGL needs CS_OWNDC: the context stays bound to one device context.
    windowClass.style = CS_OWNDC | CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kWindowClass;
    if (!RegisterClassA(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        throw RuntimeError(ErrorCode::InvalidArgument, "the saver window class cannot be registered");
}

}  // namespace

HWND Win32Video::CreateSaverWindow(const RECT& area) {
    RegisterWindowClass(WindowProcedure);
    // The procedure finds this object in the window's user data, stored at WM_NCCREATE.
    return CreateWindowExA(0, kWindowClass, "Kelvora", WS_POPUP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, area.left,
                           area.top, area.right - area.left, area.bottom - area.top, nullptr, nullptr,
                           GetModuleHandleA(nullptr), this);
}

HWND Win32Video::WindowOf(WindowHandle handle) {
    HWND window = reinterpret_cast<HWND>(handle);
    if (!IsWindow(window)) throw RuntimeError(ErrorCode::InvalidArgument, "no window with handle " + std::to_string(handle));
    return window;
}

RECT Win32Video::MonitorRect(HWND window) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    HMONITOR monitor = window ? MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY)
                              : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    GetMonitorInfoA(monitor, &info);
    return info.rcMonitor;
}

std::vector<HWND> Win32Video::MonitorWindowsOf(HWND window) const {
    auto found = saverWindows.find(window);
    if (found != saverWindows.end()) return found->second.windows;
    return {window};
}

LRESULT CALLBACK Win32Video::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* video = reinterpret_cast<Win32Video*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!video) return DefWindowProcA(window, message, wParam, lParam);
    try {
        return video->HandleMessage(window, message, wParam, lParam);
    } catch (...) {
        KeepWindowFailure(std::current_exception());
        return 0;
    }
}

LRESULT Win32Video::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    FeedWin32Input(window, message, wParam, lParam, input);
    switch (message) {
    case WM_CLOSE: {
        auto handler = closeHandlers.find(window);
        // The handler may destroy the window and with it this entry.
        if (handler != closeHandlers.end()) std::function<void()>(handler->second)();
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;  // GL paints every pixel
    case WM_WINDOWPOSCHANGED:
        if (!(reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_NOZORDER)) FollowPrimary(window);
        break;
    case WM_POWERBROADCAST:
        if (wParam == PBT_POWERSETTINGCHANGE) {
            NotePowerSetting(lParam);
            return TRUE;
        }
        break;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MOUSEWHEEL:
        // The input record has had them; nothing else is to be done with the mouse.
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// The others follow the primary's place in the z-order, topmost or not, so that what the
// ending routine does to the saver window's handle holds for every monitor.
void Win32Video::FollowPrimary(HWND primary) {
    auto found = saverWindows.find(primary);
    if (found == saverWindows.end()) return;
    bool topmost = (GetWindowLongA(primary, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    for (HWND follower : found->second.windows)
        if (follower != primary)
            SetWindowPos(follower, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Win32Video::NotePowerSetting(LPARAM lParam) {
    const auto* setting = reinterpret_cast<const POWERBROADCAST_SETTING*>(lParam);
    if (!setting || !IsEqualGUID(setting->PowerSetting, kConsoleDisplayState) ||
        setting->DataLength < sizeof(DWORD))
        return;
    DWORD state = 0;
    std::memcpy(&state, setting->Data, sizeof state);
    displayOn = state != 0;
}

}  // namespace platform

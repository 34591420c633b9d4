// The one window-and-context state that the Windows window backends share: the saver
// windows record their windows and close handlers in it, the display draws through its
// OpenGL context into them, and the windows' procedure hands it every message.
#pragma once
#include <windows.h>

#include <GL/gl.h>
#include <GL/wglext.h>

#include <functional>
#include <map>
#include <vector>

#include "common/input_record.h"
#include "seams/display.h"

namespace platform {

struct SaverWindowSet {
    std::vector<HWND> windows;  // the primary monitor's first
    HPOWERNOTIFY powerNotification = nullptr;
};

// The console display's power setting: its data is 0 while the display is off, 1 while it
// is on and 2 while it is dimmed.
inline constexpr GUID kConsoleDisplayState = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};

class Win32Video {
public:
    Win32Video() = default;
    Win32Video(const Win32Video&) = delete;
    Win32Video& operator=(const Win32Video&) = delete;

    // A window of the saver's class on the given area, whose messages come to this object.
    HWND CreateSaverWindow(const RECT& area);
    // The window behind the handle; fails when there is none.
    static HWND WindowOf(WindowHandle handle);
    // The monitor the window is on, or the primary for no window.
    static RECT MonitorRect(HWND window);
    // A saver window's windows, its primary's first; any other window alone.
    std::vector<HWND> MonitorWindowsOf(HWND window) const;

    // Every window of a saver window has its close handler.
    std::map<HWND, std::function<void()>> closeHandlers;
    // A saver window's windows by its first (the primary monitor's).
    std::map<HWND, SaverWindowSet> saverWindows;
    bool displayOn = true;
    HGLRC context = nullptr;
    PFNWGLSWAPINTERVALEXTPROC swapInterval = nullptr;
    HMODULE openGlLibrary = nullptr;
    bool cursorShown = true;
    InputRecord input;

private:
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void FollowPrimary(HWND primary);
    void NotePowerSetting(LPARAM lParam);
};

}  // namespace platform

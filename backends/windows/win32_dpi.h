// The screen density a window is drawn at, on every Windows: the per-monitor answers of
// Windows 10 where it has them, the system's one density before that.
#pragma once
#include <windows.h>

namespace platform {

// Dots an inch of the monitor the window is on (96 at 100 %).
UINT WindowDpi(HWND window);
// The whole window's rectangle around `client`, its frame drawn at `dpi`.
RECT FrameAround(RECT client, DWORD style, UINT dpi);

}  // namespace platform

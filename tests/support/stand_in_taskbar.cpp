// The stand-in taskbar of the Windows test programs.
#include "stand_in_taskbar.h"

HWND MakeStandInTaskbar(WNDPROC procedure) {
    constexpr int Height = 30;
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "Shell_traywnd";
    RegisterClassA(&windowClass);
    int width = GetSystemMetrics(SM_CXSCREEN);
    int top = GetSystemMetrics(SM_CYSCREEN) - Height;
    HWND taskbar = CreateWindowExA(WS_EX_TOOLWINDOW, "Shell_traywnd", "", WS_POPUP, 0, top, width,
                                   Height, nullptr, nullptr, windowClass.hInstance, nullptr);
    ShowWindow(taskbar, SW_SHOWNOACTIVATE);
    return taskbar;
}

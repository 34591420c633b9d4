// The Windows program's entry: installs the backends and runs the start procedure.
#include <windows.h>

#include "host/startup.h"
#include "platform/windows/crash_guard.h"
#include "platform/windows/win32_toolkit.h"
#include "platform/windows/win32_windows_api.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    platform::Win32Toolkit toolkit;
    platform::Win32WindowsApi windows;
    platform::UseToolkit(toolkit);
    platform::UseWindowsApi(windows);
    platform::InstallCrashGuard();
    return mMain::RunProcess();
}

// The Windows program's entry: installs the backends and runs the start procedure.
#include <windows.h>

#include "host/startup.h"
#include "platform/settings_window.h"
#include "platform/windows/win32_settings_window.h"
#include "platform/windows/win32_toolkit.h"
#include "platform/windows/win32_windows_api.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    platform::Win32Toolkit toolkit;
    platform::Win32WindowsApi windows;
    platform::UseToolkit(toolkit);
    platform::UseWindowsApi(windows);
    platform::UseSettingsWindowFactory(platform::CreateWin32SettingsWindow);
    return mMain::RunProcess();
}

// The Windows program's entry: installs the backends and runs the start procedure.
#include <windows.h>

#include "engine/gl_engine_objects.h"
#include "host/startup.h"
#include "platform/display_saver_windows.h"
#include "platform/settings_window.h"
#include "platform/windows/crash_guard.h"
#include "platform/windows/win32_preview_holder.h"
#include "platform/windows/win32_settings_window.h"
#include "platform/windows/win32_toolkit.h"
#include "platform/windows/win32_windows_api.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    platform::Win32Toolkit toolkit;
    platform::Win32WindowsApi windows;
    platform::Win32PreviewHolder previewHolder;
    platform::UseToolkit(toolkit);
    platform::UseWindowsApi(windows);
    platform::InstallCrashGuard();
    platform::UsePreviewHolder(previewHolder);
    platform::UseSettingsWindowFactory(platform::CreateWin32SettingsWindow);
    engine::GlEngineObjects engines;
    scene::UseEngineObjects(engines);
    platform::DisplaySaverWindows saverWindows;
    platform::UseSaverWindows(saverWindows);
    return mMain::RunProcess();
}

// The Windows program's entry: installs the backends and runs the start procedure.
#include <windows.h>

#include "host/startup.h"
<<<<<<< HEAD
#include "platform/windows/crash_guard.h"
=======
#include "platform/windows/win32_preview_holder.h"
>>>>>>> main
#include "platform/windows/win32_toolkit.h"
#include "platform/windows/win32_windows_api.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    platform::Win32Toolkit toolkit;
    platform::Win32WindowsApi windows;
    platform::Win32PreviewHolder previewHolder;
    platform::UseToolkit(toolkit);
    platform::UseWindowsApi(windows);
<<<<<<< HEAD
    platform::InstallCrashGuard();
=======
    platform::UsePreviewHolder(previewHolder);
>>>>>>> main
    return mMain::RunProcess();
}

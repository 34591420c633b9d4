// The Windows backend of every seam, made and installed together.
#include "backends/backends.h"
#include "backends/windows/display_wgl.h"
#include "backends/windows/wgl_saver_windows.h"
#include "backends/windows/win32_video.h"
#include "backends/windows/windows_backends.h"

namespace platform {

std::unique_ptr<PlatformBackends> InstallPlatformBackends(int, char**) {
    auto made = std::make_unique<PlatformBackends>();
    made->toolkit = NewWin32Toolkit();
    made->windows = NewWin32WindowsApi();
    // The display and the saver windows share one window-and-context state.
    auto video = std::make_shared<Win32Video>();
    made->display = NewWglDisplay(video);
    made->saverWindows = NewWglSaverWindows(video);
    made->settingsWindows = NewWin32SettingsWindows();
    made->previewHolder = NewWin32PreviewHolder();
    InstallInSlots(*made);
    return made;
}

}  // namespace platform

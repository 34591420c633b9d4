// The Windows backend of every seam, made and installed together.
#include "backends/backends.h"
#include "backends/windows/windows_backends.h"

namespace platform {

std::unique_ptr<PlatformBackends> InstallPlatformBackends(int, char**) {
    auto made = std::make_unique<PlatformBackends>();
    made->toolkit = NewWin32Toolkit();
    made->windows = NewWin32WindowsApi();
    made->display = NewWglDisplay();
    made->saverWindows = NewWglSaverWindows();
    made->settingsWindows = NewWin32SettingsWindows();
    made->previewHolder = NewWin32PreviewHolder();
    InstallInSlots(*made);
    return made;
}

}  // namespace platform

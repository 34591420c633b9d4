// The Linux backend of every seam, made and installed together.
#include "backends/backends.h"
#include "backends/linux/linux_backends.h"

namespace platform {

std::unique_ptr<PlatformBackends> InstallPlatformBackends(int argc, char** argv) {
    auto made = std::make_unique<PlatformBackends>();
    made->toolkit = NewLinuxToolkit(argc, argv);
    made->windows = NewLinuxWindowsApi();
    made->display = NewSdlDisplay();
    made->saverWindows = NewSdlSaverWindows();
    made->settingsWindows = NewFltkSettingsWindows();
    made->previewHolder = NewXlibPreviewHolder();
    made->hackWindows = NewSdlHackWindows();
    InstallInSlots(*made);
    return made;
}

}  // namespace platform

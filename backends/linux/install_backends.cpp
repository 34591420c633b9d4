// The Linux backend of every seam, made and installed together.
#include "backends/backends.h"
#include "backends/linux/display_sdl.h"
#include "backends/linux/event_pump.h"
#include "backends/linux/linux_backends.h"
#include "backends/linux/sdl_hack_windows.h"
#include "backends/linux/sdl_saver_windows.h"
#include "backends/linux/sdl_video.h"

namespace platform {

std::unique_ptr<PlatformBackends> InstallPlatformBackends(int argc, char** argv) {
    auto made = std::make_unique<PlatformBackends>();
    made->toolkit = NewLinuxToolkit(argc, argv);
    made->windows = NewLinuxWindowsApi();
    // The display, the saver windows and the hack windows share SDL's one video
    // connection, and the event pump hands its events on to them.
    auto video = std::make_shared<SdlVideo>();
    HandSdlEventsTo(video);
    made->display = NewSdlDisplay(video);
    made->saverWindows = NewSdlSaverWindows(video);
    made->settingsWindows = NewFltkSettingsWindows();
    made->previewHolder = NewXlibPreviewHolder();
    made->hackWindows = NewSdlHackWindows(video);
    made->hackListing = NewXScreenSaverListing();
    InstallInSlots(*made);
    return made;
}

}  // namespace platform

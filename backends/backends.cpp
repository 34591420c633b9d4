// Puts each platform's backends in the seams' slots, the same way on every platform.
#include "backends/backends.h"

namespace platform {

void InstallInSlots(PlatformBackends& backends) {
    App.Install(*backends.toolkit);
    Windows.Install(*backends.windows);
    Screen.Install(*backends.display);
    saver::SaverWindows.Install(*backends.saverWindows);
    saver::Engines.Install(backends.engines);
}

mMain::HostBackends PlatformBackends::Host() const {
    return {settingsWindows.get(), previewHolder.get(), hackWindows.get(), hackListing.get()};
}

}  // namespace platform

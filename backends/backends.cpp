// Puts each platform's backends in the seams' slots, the same way on every platform.
#include "backends/backends.h"

namespace platform {

void InstallInSlots(PlatformBackends& backends) {
    App.Install(*backends.toolkit);
    Windows.Install(*backends.windows);
    Screen.Install(*backends.display);
    saver::SaverWindows.Install(*backends.saverWindows);
    saver::Engines.Install(backends.engines);
    dialog::SettingsWindows.Install(*backends.settingsWindows);
    PreviewHolderWindow.Install(*backends.previewHolder);
    if (backends.hackWindows) HackWindows.Install(*backends.hackWindows);
    if (backends.hackListing) HackListings.Install(*backends.hackListing);
}

}  // namespace platform

// One backend of every seam, for the platform this build is for: made and installed by
// the product's composition root, and by the tools and tests that drive the real thing.
#pragma once
#include <memory>

#include "engine/gl_engine_objects.h"
#include "host/host_backends.h"
#include "saver/saver_window.h"
#include "seams/display.h"
#include "seams/toolkit.h"
#include "seams/windows_api.h"

namespace platform {

struct PlatformBackends {
    std::unique_ptr<Toolkit> toolkit;
    std::unique_ptr<WindowsApi> windows;
    std::unique_ptr<DisplaySystem> display;
    std::unique_ptr<saver::SaverWindowSystem> saverWindows;
    std::unique_ptr<dialog::SettingsWindowFactory> settingsWindows;
    std::unique_ptr<PreviewHolder> previewHolder;
    // Only where a screen-saver daemon runs hacks.
    std::unique_ptr<HackWindowSystem> hackWindows;
    std::unique_ptr<HackListing> hackListing;
    engine::GlEngineObjects engines;

    // The parts the host's modes are handed.
    mMain::HostBackends Host() const;
};

// Makes every backend and installs the seams' ones in their slots; they stay installed for as
// long as the result lives. argc and argv are the program's own. Each platform's
// install_backends.cpp makes them; InstallInSlots puts them in place.
std::unique_ptr<PlatformBackends> InstallPlatformBackends(int argc, char** argv);

// Installs the backends of the seams in their slots.
void InstallInSlots(PlatformBackends& backends);

}  // namespace platform

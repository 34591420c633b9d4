// The native parts only the host's modes use, handed down from the composition root with
// the run of the process: each mode takes the one it needs.
#pragma once
#include "dialog/settings_window.h"
#include "host/hack_listing.h"
#include "host/hack_window.h"
#include "host/preview_holder.h"

namespace mMain {

struct HostBackends {
    dialog::SettingsWindowFactory* settingsWindows = nullptr;
    platform::PreviewHolder* previewHolder = nullptr;
    // Only where a screen-saver daemon runs hacks; null elsewhere.
    platform::HackWindowSystem* hackWindows = nullptr;
    platform::HackListing* hackListing = nullptr;
};

}  // namespace mMain

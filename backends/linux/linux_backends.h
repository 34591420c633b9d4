// Every seam's Linux backend, each made in its own file, for the composition root.
#pragma once
#include <memory>

#include "dialog/settings_window.h"
#include "host/hack_listing.h"
#include "host/preview_holder.h"
#include "seams/toolkit.h"
#include "seams/windows_api.h"

namespace platform {

// FLTK's event loop and message boxes; also takes the single-instance lock.
std::unique_ptr<Toolkit> NewLinuxToolkit(int argc, char** argv);
std::unique_ptr<WindowsApi> NewLinuxWindowsApi();
std::unique_ptr<PreviewHolder> NewXlibPreviewHolder();
std::unique_ptr<dialog::SettingsWindowFactory> NewFltkSettingsWindows();
// XScreenSaver's programs list in ~/.xscreensaver.
std::unique_ptr<HackListing> NewXScreenSaverListing();

}  // namespace platform

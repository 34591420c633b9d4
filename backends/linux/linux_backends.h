// Every seam's Linux backend, each made in its own file, for the composition root.
#pragma once
#include <memory>

#include "backends/linux/event_pump.h"
#include "backends/linux/x_connection.h"
#include "dialog/settings_window.h"
#include "host/hack_listing.h"
#include "host/preview_holder.h"
#include "seams/toolkit.h"
#include "seams/windows_api.h"

namespace platform {

// FLTK's event loop and message boxes, with pump for the other window systems' events;
// also takes the single-instance lock.
std::unique_ptr<Toolkit> NewLinuxToolkit(int argc, char** argv, std::shared_ptr<XConnection> x,
                                         std::shared_ptr<EventPump> pump);
std::unique_ptr<WindowsApi> NewLinuxWindowsApi(std::shared_ptr<XConnection> x);
std::unique_ptr<PreviewHolder> NewXlibPreviewHolder(std::shared_ptr<XConnection> x);
std::unique_ptr<dialog::SettingsWindowFactory> NewFltkSettingsWindows(std::shared_ptr<XConnection> x);
// XScreenSaver's programs list in ~/.xscreensaver.
std::unique_ptr<HackListing> NewXScreenSaverListing();

}  // namespace platform

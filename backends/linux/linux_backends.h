// Every seam's Linux backend, each made in its own file, for the composition root.
#pragma once
#include <memory>

#include "dialog/settings_window.h"
#include "host/hack_window.h"
#include "host/preview_holder.h"
#include "saver/saver_window.h"
#include "seams/display.h"
#include "seams/toolkit.h"
#include "seams/windows_api.h"

namespace platform {

// FLTK's event loop and message boxes; also takes the single-instance lock.
std::unique_ptr<Toolkit> NewLinuxToolkit(int argc, char** argv);
std::unique_ptr<WindowsApi> NewLinuxWindowsApi();
std::unique_ptr<PreviewHolder> NewXlibPreviewHolder();
std::unique_ptr<dialog::SettingsWindowFactory> NewFltkSettingsWindows();
// The SDL2 window, GL context, input and clock.
std::unique_ptr<DisplaySystem> NewSdlDisplay();
std::unique_ptr<saver::SaverWindowSystem> NewSdlSaverWindows();
// XScreenSaver's windows (and one of the hack's own) as SDL windows of the one display.
std::unique_ptr<HackWindowSystem> NewSdlHackWindows();

}  // namespace platform

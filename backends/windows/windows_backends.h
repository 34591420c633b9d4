// Every seam's Windows backend, each made in its own file, for the composition root.
#pragma once
#include <memory>

#include "dialog/settings_window.h"
#include "host/preview_holder.h"
#include "seams/toolkit.h"
#include "seams/windows_api.h"

namespace platform {

// The message loop and message boxes; also holds the single-instance mutex.
std::unique_ptr<Toolkit> NewWin32Toolkit();
std::unique_ptr<WindowsApi> NewWin32WindowsApi();
std::unique_ptr<PreviewHolder> NewWin32PreviewHolder();
std::unique_ptr<dialog::SettingsWindowFactory> NewWin32SettingsWindows();

}  // namespace platform

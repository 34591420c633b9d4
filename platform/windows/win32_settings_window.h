// The settings window's Win32 backend, installed by the Windows entry.
#pragma once
#include <memory>

#include "dialog/settings_view.h"

namespace platform {

std::unique_ptr<dialog::SettingsView> CreateWin32SettingsWindow(dialog::SettingsEvents& events);

}  // namespace platform

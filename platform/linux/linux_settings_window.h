// The settings window's FLTK backend, installed by the Linux entry.
#pragma once
#include <memory>

#include "dialog/settings_view.h"

namespace platform {

std::unique_ptr<dialog::SettingsView> CreateFltkSettingsWindow(dialog::SettingsEvents& events);

}  // namespace platform

// The native half of the settings window: each platform builds the window from the
// designed layout and hands back the view its logic works through. Installed once at
// start, or by a test.
#pragma once
#include <memory>

#include "dialog/settings_view.h"

namespace platform {

// Creates the window hidden, its controls at their design-time values; events receives
// the clicks and the window system's close.
using SettingsWindowFactory =
    std::unique_ptr<dialog::SettingsView> (*)(dialog::SettingsEvents& events);

std::unique_ptr<dialog::SettingsView> CreateSettingsWindow(dialog::SettingsEvents& events);
void UseSettingsWindowFactory(SettingsWindowFactory factory);

}  // namespace platform

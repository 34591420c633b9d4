// The native half of the settings window: each backend builds the window from the
// designed layout and hands back the view the dialog's logic works through.
#pragma once
#include <memory>

#include "dialog/settings_view.h"

namespace dialog {

class SettingsWindowFactory {
public:
    virtual ~SettingsWindowFactory() = default;
    // Creates the window hidden, its controls at their design-time values; events
    // receives the clicks and the window system's close.
    virtual std::unique_ptr<SettingsView> Create(SettingsEvents& events) = 0;
};

}  // namespace dialog

// The slot that holds the installed settings window factory.
#include "platform/settings_window.h"

#include <stdexcept>

namespace platform {

namespace {
SettingsWindowFactory installedFactory = nullptr;
}

std::unique_ptr<dialog::SettingsView> CreateSettingsWindow(dialog::SettingsEvents& events) {
    if (!installedFactory) {
        throw std::logic_error("settings window used before a backend was installed");
    }
    return installedFactory(events);
}

void UseSettingsWindowFactory(SettingsWindowFactory factory) { installedFactory = factory; }

}  // namespace platform

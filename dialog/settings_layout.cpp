#include "dialog/settings_layout.h"

#include <algorithm>

namespace dialog {

const ControlLayout& LayoutOf(ControlId id) {
    auto found = std::find_if(SettingsControls.begin(), SettingsControls.end(),
                              [id](const ControlLayout& control) { return control.id == id; });
    return *found;
}

}  // namespace dialog

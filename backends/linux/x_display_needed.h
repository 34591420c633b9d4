// The one line that says why a part that only X11 serves (the settings dialog, the
// preview, hack mode) cannot start: no X display named, or the one named not answering.
#pragma once
#include <string>

namespace platform {

// what: the part, as the start of a sentence ("the preview").
std::string XDisplayFailure(const std::string& what);

}  // namespace platform

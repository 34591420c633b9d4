// Opens a web address in the user's browser.
#pragma once
#include <string>

#include "seams/windows_api.h"

namespace mScreenSaver {

// The shell's result; nothing is reported when the address cannot be opened.
platform::Handle OpenUrl(const std::string& url);

}  // namespace mScreenSaver

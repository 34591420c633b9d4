// The two failure messages of the saver's set-up.
#pragma once
#include <string>

#include "product.h"

namespace saver {

// While the engine objects are created and the display starts.
inline const std::string CannotDisplayMessage =
    "Cannot display screen saver. Please make sure you have DirectX 8.1 or greater installed "
    "on your computer.";

// For everything after: settings, media, the frame loop and the emitters.
inline std::string FilesMissingMessage() {
    return std::string("One or more files are missing from application. Please download and "
                       "re-install the software from ") +
           ProductWebSite;
}

}  // namespace saver

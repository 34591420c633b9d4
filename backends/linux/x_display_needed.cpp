#include "backends/linux/x_display_needed.h"

#include <cstdlib>

namespace platform {

std::string XDisplayFailure(const std::string& what) {
    const char* named = std::getenv("DISPLAY");
    if (!named || !*named) return what + " needs an X display, and $DISPLAY names none";
    return std::string("cannot open display ") + named + ": no X server there accepted the connection";
}

}  // namespace platform

// Whether the X server is XWayland: a Wayland compositor's guest, whose window manager
// places managed windows as it likes and ignores the places we ask for.
#pragma once
#include "backends/linux/x_connection.h"

namespace platform {

// False without a server.
bool XServerIsXWayland(XConnection& x);

}  // namespace platform

// Hack mode in a Wayland session: a daemon's window or the root window is an X window
// that nobody sees there (XWayland's root is never shown), so both are refused with one
// line; a window of the hack's own is still made by the windows given.
#pragma once
#include <memory>

#include "host/hack_window.h"

namespace platform {

std::unique_ptr<HackWindowSystem> NewWaylandHackWindows(std::unique_ptr<HackWindowSystem> ownWindows);

}  // namespace platform

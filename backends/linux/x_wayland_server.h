// Whether the X server is XWayland: a Wayland compositor's guest, whose window manager
// places managed windows as it likes and ignores the places we ask for.
#pragma once

namespace platform {

// Asks the server DISPLAY names over a connection of its own; false without one.
bool XServerIsXWayland();

}  // namespace platform

// Windows of other programs on the X server, as XScreenSaver hands them to its hacks:
// whether one exists, the root window, and following one's size.
#pragma once
#include <cstdint>

#include "backends/linux/x_connection.h"

namespace platform {

// The default screen's root window; 0 when the server cannot be reached.
std::uint64_t XRootWindowId(XConnection& x);

// True when the server knows a window with this id; errors trapped, so that a wrong id is
// an answer rather than an X error that ends the process.
bool XWindowExists(XConnection& x, std::uint64_t id);

// Asks the server to tell this connection of every change of the window's size
// (ConfigureNotify), which a connection gets only for what it asked for.
void FollowWindowSize(::Display* connection, std::uint64_t id);

// Where the window has another depth than the screen's own (XScreenSaver's have 32 bits a
// pixel, and Mesa's software GL shows its pictures in images of the screen's depth, which
// X refuses there): a child of the screen's depth over all of it, shown, for GL to draw in.
// Else the window itself.
std::uint64_t WindowOfScreenDepth(XConnection& x, std::uint64_t id);

}  // namespace platform

// The monitors and their power as the X server reports them, through SDL's display list
// and Xinerama (SDL on X11 sees only XRandR outputs, so a Xinerama-only setup such as a
// nested server shows one display to SDL), and DPMS.
#pragma once
#include <vector>

#include "backends/linux/x_connection.h"

namespace platform {

struct MonitorArea {
    int x = 0, y = 0, width = 0, height = 0;
};

// Every monitor once, the primary first; whichever source reports more monitors wins.
// At least one area: SDL's first display, or 800 x 600 when even that is unknown.
std::vector<MonitorArea> ListMonitors(XConnection& x);

// False while DPMS reports the monitors in standby, suspend or off; true when the server
// has no DPMS or it is disabled.
bool MonitorsPowered(XConnection& x);

}  // namespace platform

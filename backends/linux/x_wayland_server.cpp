// XWayland told apart from other X servers by the names it gives its outputs.
#include "backends/linux/x_wayland_server.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <cstring>

namespace platform {

namespace {

// XWayland names every output it shows XWAYLAND and a number; no other server does.
bool OutputsNamedByXWayland(Display* server) {
    int eventBase = 0, errorBase = 0;
    if (!XRRQueryExtension(server, &eventBase, &errorBase)) return false;
    XRRScreenResources* resources = XRRGetScreenResourcesCurrent(server, DefaultRootWindow(server));
    if (!resources) return false;
    bool named = false;
    for (int index = 0; index < resources->noutput && !named; ++index) {
        XRROutputInfo* output = XRRGetOutputInfo(server, resources, resources->outputs[index]);
        if (!output) continue;
        named = std::strncmp(output->name, "XWAYLAND", 8) == 0;
        XRRFreeOutputInfo(output);
    }
    XRRFreeScreenResources(resources);
    return named;
}

}  // namespace

bool XServerIsXWayland(XConnection& x) {
    Display* server = x.Get();
    return server && OutputsNamedByXWayland(server);
}

}  // namespace platform

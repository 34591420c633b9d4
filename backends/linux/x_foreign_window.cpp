#include "backends/linux/x_foreign_window.h"

#include <X11/Xlib.h>

namespace platform {

std::uint64_t XRootWindowId(XConnection& x) {
    ::Display* server = x.Get();
    return server ? DefaultRootWindow(server) : 0;
}

bool XWindowExists(XConnection& x, std::uint64_t id) {
    if (id == 0 || id > 0xFFFFFFFFu) return false;
    bool found = false;
    bool answered = x.TrapXErrors([&](::Display* server) {
        XWindowAttributes attributes;
        found = XGetWindowAttributes(server, static_cast<Window>(id), &attributes) != 0;
    });
    return found && answered;
}

void FollowWindowSize(::Display* connection, std::uint64_t id) {
    XWindowAttributes attributes;
    // Keep whatever this connection already asked of the window.
    long mask = XGetWindowAttributes(connection, static_cast<Window>(id), &attributes)
                    ? attributes.your_event_mask
                    : NoEventMask;
    XSelectInput(connection, static_cast<Window>(id), mask | StructureNotifyMask);
    XFlush(connection);
}

std::uint64_t WindowOfScreenDepth(XConnection& x, std::uint64_t id) {
    ::Display* server = x.Get();
    XWindowAttributes parent;
    if (!server || !XGetWindowAttributes(server, static_cast<Window>(id), &parent)) return id;
    int screen = XScreenNumberOfScreen(parent.screen);
    if (parent.depth == DefaultDepth(server, screen)) return id;
    // A visual other than the parent's needs its own colour map and border.
    XSetWindowAttributes attributes{};
    attributes.colormap = DefaultColormap(server, screen);
    attributes.background_pixel = BlackPixel(server, screen);
    attributes.border_pixel = 0;
    Window child = XCreateWindow(server, static_cast<Window>(id), 0, 0, parent.width, parent.height, 0,
                                 DefaultDepth(server, screen), InputOutput, DefaultVisual(server, screen),
                                 CWColormap | CWBackPixel | CWBorderPixel, &attributes);
    XMapWindow(server, child);
    XSync(server, False);
    return child;
}

}  // namespace platform

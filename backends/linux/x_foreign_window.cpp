#include "backends/linux/x_foreign_window.h"

#include <X11/Xlib.h>

namespace platform {

namespace {

bool errorSeen = false;

int NoteError(::Display*, XErrorEvent*) {
    errorSeen = true;
    return 0;
}

}  // namespace

std::uint64_t XRootWindowId() {
    ::Display* server = XOpenDisplay(nullptr);
    if (!server) return 0;
    std::uint64_t root = DefaultRootWindow(server);
    XCloseDisplay(server);
    return root;
}

bool XWindowExists(std::uint64_t id) {
    if (id == 0 || id > 0xFFFFFFFFu) return false;
    ::Display* server = XOpenDisplay(nullptr);
    if (!server) return false;
    errorSeen = false;
    auto previous = XSetErrorHandler(NoteError);
    XWindowAttributes attributes;
    bool found = XGetWindowAttributes(server, static_cast<Window>(id), &attributes) != 0;
    XSync(server, False);
    XSetErrorHandler(previous);
    XCloseDisplay(server);
    return found && !errorSeen;
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

}  // namespace platform

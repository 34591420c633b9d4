#include "backends/linux/x_connection.h"

#include "backends/linux/x_error_handlers.h"

namespace platform {

namespace {

// Xlib calls its error handler with no object to hand it: the flag must live here.
bool errorRaised = false;

int RecordXError(::Display*, XErrorEvent*) {
    errorRaised = true;
    return 0;
}

}  // namespace

XConnection::~XConnection() {
    if (display_) XCloseDisplay(display_);
}

::Display* XConnection::Get() {
    if (!opened_) {
        opened_ = true;
        display_ = XOpenDisplay(nullptr);
        if (display_) InstallXConnectionLossHandler();
    }
    return display_;
}

bool XConnection::TrapXErrors(const std::function<void(::Display*)>& requests) {
    ::Display* display = Get();
    if (!display) return false;
    XSync(display, False);
    errorRaised = false;
    auto previous = XSetErrorHandler(RecordXError);
    requests(display);
    XSync(display, False);
    XSetErrorHandler(previous);
    return !errorRaised;
}

Handle XConnection::AddDeviceContext(Drawable drawable) {
    // Copies need no expose events back: nothing here would handle them.
    XGCValues values{};
    values.graphics_exposures = False;
    GC gc = nullptr;
    // The drawable may be gone by now (a preview window closed while we draw).
    bool made = TrapXErrors([&](::Display* display) { gc = XCreateGC(display, drawable, GCGraphicsExposures, &values); });
    if (!made) {
        if (gc) TrapXErrors([&](::Display* display) { XFreeGC(display, gc); });
        return 0;
    }
    Handle handle = ++lastHandle_;
    contexts_[handle] = {drawable, gc};
    return handle;
}

const XDeviceContext* XConnection::FindDeviceContext(Handle handle) const {
    auto found = contexts_.find(handle);
    return found == contexts_.end() ? nullptr : &found->second;
}

void XConnection::RemoveDeviceContext(Handle handle) {
    auto found = contexts_.find(handle);
    if (found == contexts_.end()) return;
    GC gc = found->second.gc;
    TrapXErrors([&](::Display* display) { XFreeGC(display, gc); });
    contexts_.erase(found);
}

}  // namespace platform

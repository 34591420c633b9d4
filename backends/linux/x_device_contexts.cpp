#include "backends/linux/x_device_contexts.h"

#include <map>

#include "backends/linux/x_error_handlers.h"

namespace platform {

namespace {

std::map<Handle, XDeviceContext> contexts;
Handle lastHandle = 0;
bool errorRaised = false;

int RecordXError(Display*, XErrorEvent*) {
    errorRaised = true;
    return 0;
}

}  // namespace

Display* GdiDisplay() {
    static Display* display = [] {
        Display* opened = XOpenDisplay(nullptr);
        if (opened) InstallXConnectionLossHandler();
        return opened;
    }();
    return display;
}

Handle AddDeviceContext(Drawable drawable) {
    // Copies need no expose events back: nothing here would handle them.
    XGCValues values{};
    values.graphics_exposures = False;
    GC gc = nullptr;
    // The drawable may be gone by now (a preview window closed while we draw).
    bool made = TrapXErrors([&](Display* display) { gc = XCreateGC(display, drawable, GCGraphicsExposures, &values); });
    if (!made) {
        if (gc) TrapXErrors([&](Display* display) { XFreeGC(display, gc); });
        return 0;
    }
    Handle handle = ++lastHandle;
    contexts[handle] = {drawable, gc};
    return handle;
}

const XDeviceContext* FindDeviceContext(Handle handle) {
    auto found = contexts.find(handle);
    return found == contexts.end() ? nullptr : &found->second;
}

void RemoveDeviceContext(Handle handle) {
    auto found = contexts.find(handle);
    if (found == contexts.end()) return;
    GC gc = found->second.gc;
    TrapXErrors([&](Display* display) { XFreeGC(display, gc); });
    contexts.erase(found);
}

bool TrapXErrors(const std::function<void(Display*)>& requests) {
    Display* display = GdiDisplay();
    if (!display) return false;
    XSync(display, False);
    errorRaised = false;
    auto previous = XSetErrorHandler(RecordXError);
    requests(display);
    XSync(display, False);
    XSetErrorHandler(previous);
    return !errorRaised;
}

}  // namespace platform

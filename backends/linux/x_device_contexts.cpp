#include "backends/linux/x_device_contexts.h"

#include <map>

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
    static Display* display = XOpenDisplay(nullptr);
    return display;
}

Handle AddDeviceContext(Drawable drawable) {
    Handle handle = ++lastHandle;
    // Copies need no expose events back: nothing here would handle them.
    XGCValues values{};
    values.graphics_exposures = False;
    contexts[handle] = {drawable,
                        XCreateGC(GdiDisplay(), drawable, GCGraphicsExposures, &values)};
    return handle;
}

const XDeviceContext* FindDeviceContext(Handle handle) {
    auto found = contexts.find(handle);
    return found == contexts.end() ? nullptr : &found->second;
}

void RemoveDeviceContext(Handle handle) {
    auto found = contexts.find(handle);
    if (found == contexts.end()) return;
    XFreeGC(GdiDisplay(), found->second.gc);
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

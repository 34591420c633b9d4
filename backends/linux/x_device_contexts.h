// Device contexts over Xlib: each handle names a drawable (a window or a pixmap) with a
// graphics context on the one X connection that the preview draws through.
#pragma once
#include <X11/Xlib.h>

#include <functional>

#include "seams/windows_api.h"

namespace platform {

struct XDeviceContext {
    Drawable drawable = 0;
    GC gc = nullptr;
};

// The X connection of $DISPLAY, opened on first use; null when there is none.
Display* GdiDisplay();

// A new handle for a drawable of GdiDisplay(); 0 when the drawable is gone.
Handle AddDeviceContext(Drawable drawable);
// The context of handle, or null when it names none.
const XDeviceContext* FindDeviceContext(Handle handle);
// Frees the context's graphics context and forgets the handle.
void RemoveDeviceContext(Handle handle);

// Runs Xlib requests on GdiDisplay() and waits for the server's answer; true when they
// raised no X error. Errors are caught here instead of reaching Xlib's default handler,
// which would end the process.
bool TrapXErrors(const std::function<void(Display*)>& requests);

}  // namespace platform

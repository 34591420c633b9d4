// Our one X connection beside SDL's: opened on first use and closed with the object, shared
// by everything that asks the X server itself (the device contexts the preview draws
// through, the monitors and their power, other programs' windows, whether there is a
// display at all).
#pragma once
#include <X11/Xlib.h>

#include <functional>
#include <map>

#include "seams/windows_api.h"

namespace platform {

struct XDeviceContext {
    Drawable drawable = 0;
    GC gc = nullptr;
};

class XConnection {
public:
    XConnection() = default;
    XConnection(const XConnection&) = delete;
    XConnection& operator=(const XConnection&) = delete;
    ~XConnection();

    // The connection to $DISPLAY; null when there is none.
    ::Display* Get();

    // Runs Xlib requests on the connection and waits for the server's answer; true when
    // they raised no X error. Errors are caught here instead of reaching Xlib's default
    // handler, which would end the process.
    bool TrapXErrors(const std::function<void(::Display*)>& requests);

    // A new device-context handle for a drawable of this connection; 0 when the drawable is
    // gone.
    Handle AddDeviceContext(Drawable drawable);
    // The context of handle, or null when it names none.
    const XDeviceContext* FindDeviceContext(Handle handle) const;
    // Frees the context's graphics context and forgets the handle.
    void RemoveDeviceContext(Handle handle);

private:
    ::Display* display_ = nullptr;
    bool opened_ = false;
    std::map<Handle, XDeviceContext> contexts_;
    Handle lastHandle_ = 0;
};

}  // namespace platform

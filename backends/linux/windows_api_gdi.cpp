// The device-context functions on Linux: a window's device context names the X window of
// that id, and BitBlt copies between drawables of the one X connection.
#include "backends/linux/linux_windows_api.h"

namespace platform {

// Like Windows, a handle that names no window gives no device context (0).
Handle LinuxWindowsApi::GetDC(Handle window) {
    if (window <= 0 || !x_->Get()) return 0;
    Window id = static_cast<Window>(window);
    XWindowAttributes attributes;
    bool isWindow = x_->TrapXErrors([&](Display* display) {
        XGetWindowAttributes(display, id, &attributes);
    });
    return isWindow ? x_->AddDeviceContext(id) : 0;
}

std::int32_t LinuxWindowsApi::ReleaseDC(Handle window, Handle dc) {
    const XDeviceContext* context = x_->FindDeviceContext(dc);
    if (!context || context->drawable != static_cast<Drawable>(window)) return 0;
    x_->RemoveDeviceContext(dc);
    return 1;
}

// Only the plain copy is needed; any other raster operation fails as unsupported.
std::int32_t LinuxWindowsApi::BitBlt(Handle destination, std::int32_t x, std::int32_t y,
                                     std::int32_t cx, std::int32_t cy, Handle source,
                                     std::int32_t sourceX, std::int32_t sourceY,
                                     std::uint32_t rop) {
    const XDeviceContext* to = x_->FindDeviceContext(destination);
    const XDeviceContext* from = x_->FindDeviceContext(source);
    if (!to || !from || rop != SrcCopy || cx < 0 || cy < 0) return 0;
    // Synchronous, so that the picture is on the window before the caller goes on.
    return x_->TrapXErrors([&](Display* display) {
        XCopyArea(display, from->drawable, to->drawable, to->gc, sourceX, sourceY,
                  static_cast<unsigned>(cx), static_cast<unsigned>(cy), x, y);
    });
}

}  // namespace platform

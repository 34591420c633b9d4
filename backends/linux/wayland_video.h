// The one Wayland connection that the saver windows and the display share on a compositor
// with the layer shell: the saver windows record their surfaces and close handlers in it,
// the display draws through its one EGL context into them, the seat feeds its input
// record, and the event pump has it handle the compositor's events.
#pragma once
#include <EGL/egl.h>

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "backends/linux/wayland_layer_surface.h"
#include "backends/linux/wayland_link.h"
#include "backends/linux/wayland_seat.h"
#include "common/input_record.h"
#include "seams/display.h"

namespace platform {

class WaylandVideo {
public:
    explicit WaylandVideo(std::unique_ptr<WaylandLink> link);
    ~WaylandVideo();
    WaylandVideo(const WaylandVideo&) = delete;
    WaylandVideo& operator=(const WaylandVideo&) = delete;

    // Starts EGL on the connection and picks the configuration every surface and the
    // context share: double-buffered, opaque, with a depth buffer, for GL 3.3 core.
    void StartEgl();
    // The surface behind a handle; null for one whose output has gone.
    LayerSurface* SurfaceOf(WindowHandle window) const;
    // A saver window's surfaces, its primary's first; any other window alone.
    std::vector<WindowHandle> MonitorWindowsOf(WindowHandle window) const;
    // Handles the compositor's events that have arrived; with the connection lost,
    // SIGTERM or SIGINT received, or the keyboard taken by another client, closes every
    // saver window.
    void Pump();

    WaylandLink& link;
    EGLDisplay egl = EGL_NO_DISPLAY;
    EGLConfig config = nullptr;
    EGLContext context = EGL_NO_CONTEXT;
    // Every surface by its handle; a handle whose output went stays, with no surface, so
    // that the engine may still name it.
    std::map<WindowHandle, std::unique_ptr<LayerSurface>> surfaces;
    // A saver window's surfaces by the handle of its first, that first.
    std::map<WindowHandle, std::vector<WindowHandle>> monitorWindows;
    std::map<WindowHandle, std::function<void()>> closeHandlers;
    InputRecord input;
    std::unique_ptr<WaylandSeat> seat;
    WindowHandle lastHandle = 0;

private:
    bool KeyboardTaken() const;

    std::unique_ptr<WaylandLink> ownLink_;
};

}  // namespace platform

// One output's part of the saver window on Wayland: an overlay layer surface over the
// whole output, above every window and panel, with the keyboard to itself, drawn into
// through EGL and shown through buffers of our own, and whether the compositor still asks it for frames. It holds back none of
// the compositor's idle actions: the idle daemon that started the saver decides what comes
// next (a lock, the outputs off) on its own time.
#pragma once
#include <EGL/egl.h>
#include <wayland-client.h>
#include <wayland-egl.h>

#include <functional>
#include <memory>

#include "backends/linux/wayland_frame_watch.h"
#include "backends/linux/wayland_link.h"
#include "backends/linux/wayland_shm_frames.h"
#include "seams/display.h"

struct zwlr_layer_surface_v1;
struct zwlr_layer_surface_v1_listener;

namespace platform {

class LayerSurface {
public:
    // Asks the compositor for the surface; it is ready to draw into once the compositor has
    // sized it (after the next round trip). onClosed runs when the compositor closes it.
    LayerSurface(WaylandLink& link, const WaylandOutput& output, EGLDisplay egl, EGLConfig config,
                 std::function<void()> onClosed);
    ~LayerSurface();
    LayerSurface(const LayerSurface&) = delete;
    LayerSurface& operator=(const LayerSurface&) = delete;

    wl_surface* Surface() const { return surface_; }
    const WaylandOutput& Output() const { return output_; }
    // EGL_NO_SURFACE until the compositor has sized it.
    EGLSurface Egl() const { return eglSurface_; }
    // In the buffer's pixels: the output's logical size times its scale.
    PixelSize Size() const { return size_; }
    int Scale() const { return output_.scale; }

    // Shows the back buffer, of which this part changed since the last frame, asking to be
    // told when the compositor wants the next frame. The back buffer keeps its picture.
    // False when nothing could be shown this time (the compositor held every buffer).
    bool Show(double now, const PixelArea& changed);
    // Whether the compositor still wants frames of it.
    const FrameWatch& Frames() const { return frames_; }

private:
    void Configured(std::uint32_t serial, std::uint32_t width, std::uint32_t height);

    static const ::zwlr_layer_surface_v1_listener layerListener_;

    const WaylandOutput& output_;
    EGLDisplay egl_;
    EGLConfig config_;
    std::function<void()> onClosed_;
    wl_surface* surface_ = nullptr;
    zwlr_layer_surface_v1* layer_ = nullptr;
    wl_egl_window* window_ = nullptr;
    EGLSurface eglSurface_ = EGL_NO_SURFACE;
    wl_display* display_;
    wl_shm* shm_;
    std::unique_ptr<ShmFrames> shown_;
    PixelSize size_;
    FrameWatch frames_;
};

}  // namespace platform

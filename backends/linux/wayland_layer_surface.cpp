// An overlay layer surface over one output, drawn into through EGL.
#include "backends/linux/wayland_layer_surface.h"

#include <utility>

#include "backends/linux/wayland_layer_shell.h"

namespace platform {

namespace {

LayerSurface& SurfaceOf(void* data) { return *static_cast<LayerSurface*>(data); }

constexpr std::uint32_t kAllEdges = ZWLR_LAYER_SURFACE_V1_ANCHOR_TOP | ZWLR_LAYER_SURFACE_V1_ANCHOR_BOTTOM |
                                    ZWLR_LAYER_SURFACE_V1_ANCHOR_LEFT | ZWLR_LAYER_SURFACE_V1_ANCHOR_RIGHT;

}  // namespace

const zwlr_layer_surface_v1_listener LayerSurface::layerListener_ = {
    [](void* data, zwlr_layer_surface_v1*, uint32_t serial, uint32_t width, uint32_t height) {
        SurfaceOf(data).Configured(serial, width, height);
    },
    [](void* data, zwlr_layer_surface_v1*) {
        // A copy: the handler may destroy this surface.
        std::function<void()> closed = SurfaceOf(data).onClosed_;
        if (closed) closed();
    },
};

LayerSurface::LayerSurface(WaylandLink& link, const WaylandOutput& output, EGLDisplay egl, EGLConfig config,
                           std::function<void()> onClosed)
    : output_(output), egl_(egl), config_(config), onClosed_(std::move(onClosed)), display_(link.Display()), shm_(link.Shm()) {
    surface_ = wl_compositor_create_surface(link.Compositor());
    wl_surface_set_buffer_scale(surface_, output.scale);
    layer_ = zwlr_layer_shell_v1_get_layer_surface(link.LayerShell(), surface_, output.output,
                                                   ZWLR_LAYER_SHELL_V1_LAYER_OVERLAY, "kelvora");
    zwlr_layer_surface_v1_add_listener(layer_, &layerListener_, this);
    // Size 0 with every edge anchored: the whole output; exclusive zone -1: over panels
    // too, never moved aside for them.
    zwlr_layer_surface_v1_set_anchor(layer_, kAllEdges);
    zwlr_layer_surface_v1_set_size(layer_, 0, 0);
    zwlr_layer_surface_v1_set_exclusive_zone(layer_, -1);
    zwlr_layer_surface_v1_set_keyboard_interactivity(layer_, ZWLR_LAYER_SURFACE_V1_KEYBOARD_INTERACTIVITY_EXCLUSIVE);
    // Without a buffer: the compositor answers with the size, and nothing shows yet.
    wl_surface_commit(surface_);
}

LayerSurface::~LayerSurface() {
    if (eglSurface_ != EGL_NO_SURFACE) {
        if (eglGetCurrentSurface(EGL_DRAW) == eglSurface_)
            eglMakeCurrent(egl_, EGL_NO_SURFACE, EGL_NO_SURFACE, eglGetCurrentContext());
        eglDestroySurface(egl_, eglSurface_);
    }
    if (window_) wl_egl_window_destroy(window_);
    zwlr_layer_surface_v1_destroy(layer_);
    wl_surface_destroy(surface_);
}

void LayerSurface::Configured(std::uint32_t serial, std::uint32_t width, std::uint32_t height) {
    zwlr_layer_surface_v1_ack_configure(layer_, serial);
    if (width == 0 || height == 0) return;
    PixelSize size{static_cast<int>(width) * output_.scale, static_cast<int>(height) * output_.scale};
    if (window_ && size.width == size_.width && size.height == size_.height) return;
    size_ = size;
    shown_ = std::make_unique<ShmFrames>(display_, shm_, size_);
    if (window_) {
        wl_egl_window_resize(window_, size_.width, size_.height, 0, 0);
        return;
    }
    // The EGL surface is only drawn into, never swapped: its pictures reach the compositor
    // through our own buffers.
    window_ = wl_egl_window_create(surface_, size_.width, size_.height);
    eglSurface_ = eglCreateWindowSurface(egl_, config_, reinterpret_cast<EGLNativeWindowType>(window_), nullptr);
}

bool LayerSurface::Show(double now, const PixelArea& changed) {
    if (eglSurface_ == EGL_NO_SURFACE) return false;
    frames_.AskBeforeCommit(surface_, now);
    return shown_->Show(surface_, changed);
}

}  // namespace platform

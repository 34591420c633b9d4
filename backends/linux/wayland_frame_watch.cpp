#include "backends/linux/wayland_frame_watch.h"

namespace platform {

const wl_callback_listener FrameWatch::listener_ = {
    [](void* data, wl_callback* callback, uint32_t) {
        wl_callback_destroy(callback);
        static_cast<FrameWatch*>(data)->frame_ = nullptr;
    },
};

FrameWatch::~FrameWatch() {
    if (frame_) wl_callback_destroy(frame_);
}

void FrameWatch::AskBeforeCommit(wl_surface* surface, double now) {
    if (frame_) return;
    frame_ = wl_surface_frame(surface);
    wl_callback_add_listener(frame_, &listener_, this);
    askedAt_ = now;
}

bool FrameWatch::Unasked(double now, double seconds) const { return frame_ && now - askedAt_ >= seconds; }

}  // namespace platform

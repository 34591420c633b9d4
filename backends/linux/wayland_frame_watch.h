// Whether a Wayland compositor still wants frames of a surface: it asks for the next one
// only while the surface shows somewhere, and stops for an output that sleeps.
#pragma once
#include <wayland-client.h>

namespace platform {

// A compositor that has not asked for a frame for this long shows the surface nowhere:
// its output sleeps (or it is covered), and drawing for it is wasted.
constexpr double kFramesUnaskedSeconds = 0.5;

class FrameWatch {
public:
    FrameWatch() = default;
    ~FrameWatch();
    FrameWatch(const FrameWatch&) = delete;
    FrameWatch& operator=(const FrameWatch&) = delete;

    // Before a picture is committed to the surface: asks to be told when the compositor
    // wants the next, unless an earlier question is still open (an open one tells how
    // long the compositor has not wanted frames).
    void AskBeforeCommit(wl_surface* surface, double now);
    // True while the question asked this long ago or longer has had no answer.
    bool Unasked(double now, double seconds) const;

private:
    static const wl_callback_listener listener_;
    wl_callback* frame_ = nullptr;
    double askedAt_ = 0;
};

}  // namespace platform

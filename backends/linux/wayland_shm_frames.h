// The pictures a layer surface shows, in buffers of our own shared with the compositor.
// The GL back buffer they are copied from is never swapped, so it keeps the picture for the
// next frame to draw only its changes on; each frame copies into the buffer it reuses only
// what that buffer lacks (each buffer knows which frame it holds), and tells the compositor
// only what changed since the last picture it was given.
#pragma once
#include <wayland-client.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "backends/linux/buffer_damage.h"
#include "seams/display.h"

namespace platform {

class ShmFrames {
public:
    // Buffers of this size in pixels, made as they are needed.
    ShmFrames(wl_display* display, wl_shm* shm, PixelSize size);
    ~ShmFrames();
    ShmFrames(const ShmFrames&) = delete;
    ShmFrames& operator=(const ShmFrames&) = delete;

    // Shows the current GL context's back buffer, of which this part changed since the
    // last frame, on the surface (committing it). False while the compositor holds every
    // buffer: the next frame shows this one's changes too.
    bool Show(wl_surface* surface, const PixelArea& changed);

private:
    struct Buffer {
        wl_buffer* buffer = nullptr;
        std::uint8_t* pixels = nullptr;
        // Held by the compositor until it releases it.
        bool busy = false;
        // The frame whose picture it holds; 0 for none.
        std::uint64_t content = 0;
    };
    using ReadPixels = void (*)(int, int, int, int, unsigned, unsigned, void*);
    using GetIntegers = void (*)(unsigned, int*);
    using BindFramebuffer = void (*)(unsigned, unsigned);

    // The free buffer holding the latest frame, a new one while there are few; null while
    // the compositor holds them all.
    Buffer* FreeBuffer();
    Buffer* LatestFree();
    std::unique_ptr<Buffer> NewBuffer();
    // Copies a part of the back buffer (counted from its bottom left) into the buffer.
    void CopyFromGl(Buffer& into, const PixelArea& part);

    static const wl_buffer_listener listener_;

    wl_display* display_;
    wl_shm* shm_;
    // The buffers' releases come here, handled apart from every other event, so that
    // waiting for one never runs a handler that could close the surface being shown.
    wl_event_queue* releases_;
    PixelSize size_;
    BufferDamage damage_;
    std::vector<std::unique_ptr<Buffer>> buffers_;
    // The frame the compositor was last given.
    std::uint64_t committed_ = 0;
    std::vector<std::uint8_t> rows_;
    ReadPixels readPixels_;
    GetIntegers getIntegers_;
    BindFramebuffer bindFramebuffer_;
};

}  // namespace platform

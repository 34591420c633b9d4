// What a reused buffer lacks: the part of the picture changed since the frame whose content
// it holds, from the parts each recent frame changed.
#pragma once
#include <cstdint>
#include <deque>

#include "seams/display.h"

namespace platform {

class BufferDamage {
public:
    explicit BufferDamage(PixelSize size) : size_(size) {}

    // A new frame changed this part of the picture; returns the frame's number (from 1).
    std::uint64_t FrameChanged(const PixelArea& part);
    // The part a buffer holding frame `content` (0: nothing yet) must be given to show the
    // latest frame: every part changed since, as one rectangle around them; the whole
    // picture where those frames are no longer remembered.
    PixelArea Missing(std::uint64_t content) const;

private:
    // Enough for a buffer that the compositor held a few frames.
    static constexpr std::size_t kRemembered = 8;

    PixelSize size_;
    std::uint64_t frame_ = 0;
    // The parts the last frames changed, the latest last.
    std::deque<PixelArea> changed_;
};

}  // namespace platform

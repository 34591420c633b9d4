#include "engine/frame_rate_counter.h"

namespace engine {

void FrameRateCounter::Count(double now) {
    if (since_ < 0) {
        // The first frame starts the count; the time before it (the set-up) is no frame's.
        since_ = now;
        return;
    }
    ++frames_;
    if (now - since_ < 1.0) return;
    rate_ = frames_ / (now - since_);
    since_ = now;
    frames_ = 0;
}

}  // namespace engine

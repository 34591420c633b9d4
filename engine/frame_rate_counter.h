// Frames shown a second, counted at each present and renewed once a second, as a
// frame counter on the screen shows them.
#pragma once

namespace engine {

class FrameRateCounter {
public:
    // One frame shown at `now`, in seconds on the engine's clock.
    void Count(double now);
    // Frames a second over the last second or so; negative before the first has passed.
    double Rate() const { return rate_; }

private:
    double since_ = -1;
    int frames_ = 0;
    double rate_ = -1;
};

}  // namespace engine

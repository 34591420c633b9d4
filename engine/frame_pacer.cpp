#include "engine/frame_pacer.h"

#include "seams/display.h"

namespace engine {

void FramePacer::Start(double refreshHz, bool capped) {
    capped_ = capped;
    period_ = 1.0 / (refreshHz > 0 ? refreshHz : kDefaultRefreshHz);
    nextFrame_ = -1;
    nextPowerPoll_ = -1;
    awake_ = true;
}

bool FramePacer::MonitorsAwake() {
    platform::DisplaySystem& screen = platform::Screen();
    double now = screen.Seconds();
    if (!awake_ || now >= nextPowerPoll_) {
        awake_ = screen.MonitorsOn();
        nextPowerPoll_ = now + kPowerPollSeconds;
    }
    if (awake_) return true;
    // Nothing is shown, so nothing is drawn either until the monitors wake or the user
    // does something: the frame loop's next pass comes after this wait.
    screen.WaitForEvents(kPowerPollSeconds);
    nextFrame_ = -1;
    return false;
}

void FramePacer::WaitForNextFrame() {
    if (!capped_) return;
    platform::DisplaySystem& screen = platform::Screen();
    double now = screen.Seconds();
    if (nextFrame_ < 0 || now >= nextFrame_) {
        // On time or late: the next frame's turn is a whole period away, so that a late
        // frame is never made up by a burst of fast ones.
        nextFrame_ = now + period_;
        return;
    }
    screen.Sleep(nextFrame_ - now);
    // Counted from the planned turn, not from the wake, so that the sleep's overshoot
    // does not slow the rate below the cap.
    nextFrame_ += period_;
}

}  // namespace engine

// When the display shows a frame: at most one a refresh period, sleeping between them,
// and none while the monitors are powered down, waking for input meanwhile.
#pragma once

namespace engine {

class FramePacer {
public:
    // How often the monitors' power is asked while they are on; while they rest it is
    // asked at every wake, which comes at least this often.
    static constexpr double kPowerPollSeconds = 2.0;
    // The cap when the monitor does not say its refresh rate.
    static constexpr double kDefaultRefreshHz = 60.0;

    // capped false shows every frame at once (the benchmark's loops); refreshHz 0 or
    // less is unknown.
    void Start(double refreshHz, bool capped);

    // Before a frame is shown. False while the monitors rest: the frame is not to be
    // shown, and this has waited for input or for the next look at the monitors' power.
    bool MonitorsAwake();
    // After a frame is shown: sleeps until the next frame's turn.
    void WaitForNextFrame();

private:
    bool capped_ = true;
    double period_ = 1.0 / kDefaultRefreshHz;
    double nextFrame_ = -1;
    double nextPowerPoll_ = -1;
    bool awake_ = true;
};

}  // namespace engine

// One pass over the pending events of every window system the Linux backend uses.
#pragma once
#include <memory>

namespace platform {

class SdlVideo;
class WaylandVideo;

class EventPump {
public:
    // Runs one pass: SDL's events to the SDL video object, the Wayland connection's, and
    // FLTK's; fails when the X server refused our drawing since the last pass.
    void Pump();

    // The video object that the pump hands each SDL event to, for as long as it lives;
    // without one SDL's events are only taken off the queue.
    void HandSdlEventsTo(const std::shared_ptr<SdlVideo>& video) { sdlTarget_ = video; }
    // The Wayland connection whose events the pump handles, for as long as it lives.
    void HandWaylandEventsTo(const std::shared_ptr<WaylandVideo>& video) { waylandTarget_ = video; }

private:
    std::weak_ptr<SdlVideo> sdlTarget_;
    std::weak_ptr<WaylandVideo> waylandTarget_;
};

// Whether the program was asked to quit by SIGTERM or SIGINT (which SDL turns into its
// quit event, and the Wayland backend notes). The request stays for the pump.
bool QuitAsked();

}  // namespace platform

// One pass over the pending events of every window system the Linux backend uses.
#pragma once

union SDL_Event;

namespace platform {

void PumpWindowEvents();

// Called for every SDL event the pump takes off the queue; the display backend keeps
// the window, mouse and keyboard state it reports from these.
void HandleSdlEvent(const SDL_Event& event);

}  // namespace platform

// One pass over the pending events of every window system the Linux backend uses.
#pragma once

union SDL_Event;

namespace platform {

void PumpWindowEvents();

// Called for every SDL event the pump takes off the queue; the display backend feeds its
// input record from these and runs the saver window's close handler.
void HandleSdlEvent(const SDL_Event& event);

}  // namespace platform

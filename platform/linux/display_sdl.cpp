// The SDL2 display backend.
#include <SDL2/SDL.h>

#include "platform/linux/event_pump.h"

namespace platform {

void HandleSdlEvent(const SDL_Event&) {}

}  // namespace platform

#include "backends/linux/event_pump.h"

#include <FL/Fl.H>
#include <SDL2/SDL.h>

namespace platform {

void PumpWindowEvents() {
    if (SDL_WasInit(SDL_INIT_VIDEO)) {
        SDL_Event event;
        while (SDL_PollEvent(&event)) HandleSdlEvent(event);
    }
    if (Fl::first_window()) Fl::check();
}

}  // namespace platform

// SDL events to input-record events: scancodes are the key codes, and only SDL's first
// three buttons are buttons to the saver.
#include "backends/linux/sdl_input.h"

#include <SDL2/SDL.h>

namespace platform {

namespace {

constexpr ButtonCodes kSdlButtons{SDL_BUTTON_LEFT, SDL_BUTTON_RIGHT, SDL_BUTTON_MIDDLE};

}  // namespace

void FeedSdlInput(const SDL_Event& event, InputRecord& input) {
    switch (event.type) {
    case SDL_MOUSEMOTION:
        input.Motion(event.motion.windowID, event.motion.x, event.motion.y);
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
        if (auto button = ToMouseButton(event.button.button, kSdlButtons)) {
            input.Button(*button, event.type == SDL_MOUSEBUTTONDOWN, event.button.windowID,
                         event.button.x, event.button.y);
        } else {
            input.Motion(event.button.windowID, event.button.x, event.button.y);
        }
        break;
    }
    case SDL_MOUSEWHEEL:
        input.Wheel(event.wheel.y);
        break;
    case SDL_KEYDOWN:
        input.KeyDown(event.key.keysym.scancode, event.key.repeat != 0);
        break;
    case SDL_KEYUP:
        input.KeyUp(event.key.keysym.scancode);
        break;
    case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) input.FocusLost();
        break;
    default:
        break;
    }
}

}  // namespace platform

// The pump of SDL, Wayland and FLTK events, and where SDL's events go.
#include "backends/linux/event_pump.h"

#include <FL/Fl.H>
#include <SDL2/SDL.h>

#include "backends/linux/quit_signals.h"
#include "backends/linux/sdl_video.h"
#include "backends/linux/wayland_video.h"
#include "backends/linux/x_error_handlers.h"
#include "common/runtime_error.h"

namespace platform {

void EventPump::Pump() {
    if (SDL_WasInit(SDL_INIT_VIDEO)) {
        SDL_Event event;
        while (SDL_PollEvent(&event))
            if (auto video = sdlTarget_.lock()) video->HandleEvent(event);
        // A window the server refuses to draw on (a visual GL cannot use, say).
        if (std::optional<std::string> refusal = TakeXDrawingRefusal())
            throw RuntimeError(ErrorCode::InvalidArgument, "the window cannot be drawn into: " + *refusal);
    }
    if (auto wayland = waylandTarget_.lock()) wayland->Pump();
    if (Fl::first_window()) Fl::check();
}

bool QuitAsked() { return QuitSignalled() || (SDL_WasInit(SDL_INIT_VIDEO) && SDL_QuitRequested()); }

}  // namespace platform

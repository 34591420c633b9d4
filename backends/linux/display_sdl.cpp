// The SDL2 display backend: the saver window, its GL 3.3 core context, and the input
// record that the toolkit's event pump feeds through HandleSdlEvent.
#include <SDL2/SDL.h>

#include <map>
#include <memory>
#include <string>

#include "backends/linux/event_pump.h"
#include "backends/linux/linux_backends.h"
#include "backends/linux/sdl_input.h"
#include "common/runtime_error.h"

namespace platform {

namespace {

struct DisplayState {
    std::map<Uint32, std::function<void()>> closeHandlers;
    SDL_GLContext context = nullptr;
    InputRecord input;
};

DisplayState& State() {
    static DisplayState state;
    return state;
}

SDL_Window* WindowOf(WindowHandle handle) {
    SDL_Window* window = SDL_GetWindowFromID(static_cast<Uint32>(handle));
    if (!window) throw RuntimeError(ErrorCode::InvalidArgument, "no SDL window with id " + std::to_string(handle));
    return window;
}

void StartVideo() {
    if (SDL_WasInit(SDL_INIT_VIDEO)) return;
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        throw RuntimeError(ErrorCode::InvalidArgument, std::string("SDL video cannot start: ") + SDL_GetError());
}

SDL_Rect MonitorBounds(int displayIndex) {
    SDL_Rect bounds{0, 0, 800, 600};
    SDL_GetDisplayBounds(displayIndex < 0 ? 0 : displayIndex, &bounds);
    return bounds;
}

}  // namespace

void HandleSdlEvent(const SDL_Event& event) {
    DisplayState& state = State();
    FeedSdlInput(event, state.input);
    switch (event.type) {
    case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_CLOSE) {
            auto handler = state.closeHandlers.find(event.window.windowID);
            // The handler may destroy the window and with it this entry.
            if (handler != state.closeHandlers.end()) std::function<void()>(handler->second)();
        }
        break;
    case SDL_QUIT:
        for (auto& [id, handler] : std::map(state.closeHandlers)) handler();
        break;
    default:
        break;
    }
}

namespace {

// The saver window: a borderless SDL window with the GL attributes a 3.3 core context
// needs.
class SdlSaverWindows : public saver::SaverWindowSystem {
public:
    WindowHandle Create(std::function<void()> onClose) override {
        StartVideo();
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
        SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
        SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
        SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
        SDL_Rect bounds = MonitorBounds(0);
        SDL_Window* window =
            SDL_CreateWindow("Kelvora", bounds.x, bounds.y, bounds.w, bounds.h,
                             SDL_WINDOW_OPENGL | SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN);
        if (!window) throw RuntimeError(ErrorCode::InvalidArgument, std::string("SDL window: ") + SDL_GetError());
        Uint32 id = SDL_GetWindowID(window);
        State().closeHandlers[id] = std::move(onClose);
        return id;
    }

    void Show(WindowHandle window) override {
        SDL_Window* sdlWindow = WindowOf(window);
        SDL_ShowWindow(sdlWindow);
        SDL_RaiseWindow(sdlWindow);
        // The cursor may rest where the window appears; report it there before it moves.
        int x = 0, y = 0, left = 0, top = 0;
        SDL_GetGlobalMouseState(&x, &y);
        SDL_GetWindowPosition(sdlWindow, &left, &top);
        State().input.Motion(x - left, y - top);
    }

    void Destroy(WindowHandle window) override {
        State().closeHandlers.erase(static_cast<Uint32>(window));
        if (SDL_Window* sdlWindow = SDL_GetWindowFromID(static_cast<Uint32>(window)))
            SDL_DestroyWindow(sdlWindow);
    }
};

class SdlDisplay : public DisplaySystem {
public:
    void CoverMonitor(WindowHandle window) override {
        SDL_Window* sdlWindow = WindowOf(window);
        SDL_Rect bounds = MonitorBounds(SDL_GetWindowDisplayIndex(sdlWindow));
        SDL_SetWindowPosition(sdlWindow, bounds.x, bounds.y);
        SDL_SetWindowSize(sdlWindow, bounds.w, bounds.h);
    }

    void StartGl(WindowHandle window) override {
        SDL_Window* sdlWindow = WindowOf(window);
        SDL_GLContext context = SDL_GL_CreateContext(sdlWindow);
        if (!context)
            throw RuntimeError(ErrorCode::InvalidArgument,
                               std::string("no OpenGL 3.3 core context: ") + SDL_GetError());
        State().context = context;
    }

    void* GlFunction(const char* name) override { return SDL_GL_GetProcAddress(name); }

    void StopGl(WindowHandle) override {
        if (State().context) SDL_GL_DeleteContext(State().context);
        State().context = nullptr;
    }

    PixelSize DrawableSize(WindowHandle window) override {
        PixelSize size;
        SDL_GL_GetDrawableSize(WindowOf(window), &size.width, &size.height);
        return size;
    }

    void SwapBuffers(WindowHandle window) override { SDL_GL_SwapWindow(WindowOf(window)); }

    bool SetSwapInterval(int interval) override { return SDL_GL_SetSwapInterval(interval) == 0; }

    void ShowCursor(bool visible) override { SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE); }

    InputRecord& Input() override { return State().input; }

    double Seconds() override {
        return static_cast<double>(SDL_GetPerformanceCounter()) /
               static_cast<double>(SDL_GetPerformanceFrequency());
    }
};

}  // namespace

std::unique_ptr<DisplaySystem> NewSdlDisplay() { return std::make_unique<SdlDisplay>(); }

std::unique_ptr<saver::SaverWindowSystem> NewSdlSaverWindows() {
    return std::make_unique<SdlSaverWindows>();
}

}  // namespace platform

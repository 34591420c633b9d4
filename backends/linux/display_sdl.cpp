// The SDL2 display backend: the saver window (one window per monitor), a hack's window
// (XScreenSaver's, or one of its own), the GL 3.3 core context shown in each, and the
// input record that the toolkit's event pump feeds
// through HandleSdlEvent.
#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>
#include <poll.h>

#include <algorithm>
#include <cstdio>
#include <chrono>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "backends/linux/event_pump.h"
#include "backends/linux/linux_backends.h"
#include "backends/linux/sdl_input.h"
#include "backends/linux/x_foreign_window.h"
#include "backends/linux/x_monitors.h"
#include "backends/uncapped_frames.h"
#include "common/runtime_error.h"

namespace platform {

namespace {

struct DisplayState {
    // Every window of a saver window has its close handler.
    std::map<Uint32, std::function<void()>> closeHandlers;
    // A saver window's windows by the id of its first (the primary monitor's), that first.
    std::map<Uint32, std::vector<Uint32>> monitorWindows;
    SDL_GLContext context = nullptr;
    // SDL's own connection, whose socket brings the events a wait looks out for.
    ::Display* eventConnection = nullptr;
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

std::vector<Uint32> MonitorWindowsOf(WindowHandle window) {
    auto found = State().monitorWindows.find(static_cast<Uint32>(window));
    if (found != State().monitorWindows.end()) return found->second;
    return {static_cast<Uint32>(window)};
}

// The attributes every window's GL context is made with: 3.3 core, double-buffered, with
// a depth buffer for a scene drawn straight into the window. Sixteen bits tell the scene's
// surfaces apart (the pumpkin's shell is five units thick at three hundred units' distance,
// where they resolve about one and a half), and where the system offers them, take half the
// memory of 24: 4 MB of a 1080p monitor.
void AskForGl33() {
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
}

::Display* EventConnectionOf(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return nullptr;
    return info.info.x11.display;
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
        // Once for each saver window; a handler may close any of them.
        for (auto& [id, windows] : std::map(state.monitorWindows))
            if (state.closeHandlers.count(id)) std::function<void()>(state.closeHandlers[id])();
        break;
    default:
        break;
    }
}

namespace {

// The saver window: a borderless SDL window on each monitor, with the GL attributes a
// 3.3 core context needs, so that the one context can be made current on each.
class SdlSaverWindows : public saver::SaverWindowSystem {
public:
    WindowHandle Create(std::function<void()> onClose) override {
        StartVideo();
        AskForGl33();
        std::vector<Uint32> ids;
        try {
            for (const MonitorArea& monitor : ListMonitors()) {
                SDL_Window* window =
                    SDL_CreateWindow("Kelvora", monitor.x, monitor.y, monitor.width, monitor.height,
                                     SDL_WINDOW_OPENGL | SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN);
                if (!window) throw RuntimeError(ErrorCode::InvalidArgument, std::string("SDL window: ") + SDL_GetError());
                ids.push_back(SDL_GetWindowID(window));
                State().closeHandlers[ids.back()] = onClose;
                if (!State().eventConnection) State().eventConnection = EventConnectionOf(window);
            }
        } catch (...) {
            for (Uint32 id : ids) DestroyOne(id);
            throw;
        }
        State().monitorWindows[ids.front()] = ids;
        return ids.front();
    }

    void Show(WindowHandle window) override {
        std::vector<Uint32> ids = MonitorWindowsOf(window);
        // The primary last, so that it ends up in front.
        for (auto id = ids.rbegin(); id != ids.rend(); ++id) {
            SDL_Window* sdlWindow = WindowOf(*id);
            SDL_ShowWindow(sdlWindow);
            SDL_RaiseWindow(sdlWindow);
        }
        // The cursor may rest where a window appears; report it there before it moves.
        int x = 0, y = 0;
        SDL_GetGlobalMouseState(&x, &y);
        for (Uint32 id : ids) {
            int left = 0, top = 0, width = 0, height = 0;
            SDL_GetWindowPosition(WindowOf(id), &left, &top);
            SDL_GetWindowSize(WindowOf(id), &width, &height);
            if (x < left || y < top || x >= left + width || y >= top + height) continue;
            State().input.Motion(id, x - left, y - top);
            break;
        }
    }

    void Destroy(WindowHandle window) override {
        std::vector<Uint32> ids = MonitorWindowsOf(window);
        State().monitorWindows.erase(static_cast<Uint32>(window));
        for (Uint32 id : ids) DestroyOne(id);
    }

private:
    static void DestroyOne(Uint32 id) {
        State().closeHandlers.erase(id);
        if (SDL_Window* sdlWindow = SDL_GetWindowFromID(id)) SDL_DestroyWindow(sdlWindow);
    }
};

// A hack's window. SDL takes another program's window as it is (it neither moves nor
// shows it) but learns of its new sizes only from events that its connection asked for.
class SdlHackWindows : public HackWindowSystem {
public:
    std::uint64_t RootWindowId() override { return XRootWindowId(); }

    WindowHandle Adopt(std::uint64_t nativeId) override {
        if (!XWindowExists(nativeId))
            throw RuntimeError(ErrorCode::InvalidArgument, "no X window with id " + WindowIdText(nativeId));
        StartVideo();
        AskForGl33();
        // Without it SDL would not make a GL context for a window it did not create.
        SDL_SetHint(SDL_HINT_VIDEO_FOREIGN_WINDOW_OPENGL, "1");
        SDL_Window* window = SDL_CreateWindowFrom(reinterpret_cast<const void*>(static_cast<std::uintptr_t>(nativeId)));
        if (!window)
            throw RuntimeError(ErrorCode::InvalidArgument,
                               "the X window " + WindowIdText(nativeId) + " cannot be drawn into: " + SDL_GetError());
        ::Display* connection = EventConnectionOf(window);
        if (connection) FollowWindowSize(connection, nativeId);
        if (!State().eventConnection) State().eventConnection = connection;
        return SDL_GetWindowID(window);
    }

    WindowHandle OpenOwn(std::function<void()> onClose) override {
        StartVideo();
        AskForGl33();
        SDL_Window* window = SDL_CreateWindow("Kelvora", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 800, 600,
                                              SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE);
        if (!window) throw RuntimeError(ErrorCode::InvalidArgument, std::string("SDL window: ") + SDL_GetError());
        Uint32 id = SDL_GetWindowID(window);
        State().closeHandlers[id] = std::move(onClose);
        if (!State().eventConnection) State().eventConnection = EventConnectionOf(window);
        return id;
    }

    void Release(WindowHandle window) override {
        State().closeHandlers.erase(static_cast<Uint32>(window));
        // SDL destroys only the X windows it made itself.
        if (SDL_Window* sdlWindow = SDL_GetWindowFromID(static_cast<Uint32>(window))) SDL_DestroyWindow(sdlWindow);
    }

private:
    static std::string WindowIdText(std::uint64_t id) {
        char text[32];
        std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(id));
        return text;
    }
};

class SdlDisplay : public DisplaySystem {
public:
    void CoverMonitor(WindowHandle window) override {
        std::vector<Uint32> ids = MonitorWindowsOf(window);
        std::vector<MonitorArea> monitors = ListMonitors();
        // A saver window's windows were made one per monitor, in this order; any other
        // window covers the primary.
        for (std::size_t index = 0; index < ids.size(); ++index) {
            const MonitorArea& monitor = monitors[std::min(index, monitors.size() - 1)];
            SDL_Window* sdlWindow = WindowOf(ids[index]);
            SDL_SetWindowPosition(sdlWindow, monitor.x, monitor.y);
            SDL_SetWindowSize(sdlWindow, monitor.width, monitor.height);
        }
    }

    std::vector<WindowHandle> MonitorWindows(WindowHandle window) override {
        std::vector<Uint32> ids = MonitorWindowsOf(window);
        return {ids.begin(), ids.end()};
    }

    double RefreshRate(WindowHandle window) override {
        if (FramesUncapped()) return kUncappedRefreshHz;
        SDL_DisplayMode mode{};
        int index = SDL_GetWindowDisplayIndex(WindowOf(window));
        if (index < 0 || SDL_GetCurrentDisplayMode(index, &mode) != 0) return 0;
        return mode.refresh_rate;
    }

    void StartGl(WindowHandle window) override {
        SDL_Window* sdlWindow = WindowOf(window);
        SDL_GLContext context = SDL_GL_CreateContext(sdlWindow);
        if (!context)
            throw RuntimeError(ErrorCode::InvalidArgument,
                               std::string("no OpenGL 3.3 core context: ") + SDL_GetError());
        State().context = context;
    }

    void MakeCurrent(WindowHandle window) override {
        SDL_Window* sdlWindow = WindowOf(window);
        if (SDL_GL_GetCurrentWindow() == sdlWindow) return;
        if (SDL_GL_MakeCurrent(sdlWindow, State().context) != 0)
            throw RuntimeError(ErrorCode::InvalidArgument, std::string("the GL context cannot be moved: ") + SDL_GetError());
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

    void SwapBuffers(WindowHandle window) override {
        SDL_Window* sdlWindow = WindowOf(window);
        if (SDL_GetWindowFlags(sdlWindow) & SDL_WINDOW_HIDDEN) SDL_ShowWindow(sdlWindow);
        SDL_GL_SwapWindow(sdlWindow);
    }

    bool SetSwapInterval(int interval) override {
        return SDL_GL_SetSwapInterval(FramesUncapped() ? 0 : interval) == 0;
    }

    void ShowCursor(bool visible) override { SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE); }

    InputRecord& Input() override { return State().input; }

    bool MonitorsOn() override { return MonitorsPowered(); }

    double Seconds() override {
        return static_cast<double>(SDL_GetPerformanceCounter()) /
               static_cast<double>(SDL_GetPerformanceFrequency());
    }

    void Sleep(double seconds) override {
        if (seconds > 0) std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    }

    void WaitForEvents(double seconds) override {
        ::Display* connection = State().eventConnection;
        if (!connection) return Sleep(seconds);
        // Events already read from the socket would not wake the wait.
        if (XPending(connection) > 0) return;
        pollfd socket{ConnectionNumber(connection), POLLIN, 0};
        poll(&socket, 1, static_cast<int>(seconds * 1000));
    }
};

}  // namespace

std::unique_ptr<DisplaySystem> NewSdlDisplay() { return std::make_unique<SdlDisplay>(); }

std::unique_ptr<saver::SaverWindowSystem> NewSdlSaverWindows() {
    return std::make_unique<SdlSaverWindows>();
}

std::unique_ptr<HackWindowSystem> NewSdlHackWindows() { return std::make_unique<SdlHackWindows>(); }

}  // namespace platform

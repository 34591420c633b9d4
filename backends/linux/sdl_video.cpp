// The shared SDL video state of the Linux backends and its handling of SDL events.
#include "backends/linux/sdl_video.h"

#include <SDL2/SDL_syswm.h>
#include <sys/stat.h>

#include <cstdlib>
#include <string>

#include "backends/linux/sdl_input.h"
#include "backends/linux/x_error_handlers.h"
#include "common/runtime_error.h"

namespace platform {

namespace {

// Without a session bus, SDL's first look for one (for input methods) has libdbus launch a
// bus daemon of its own on the display, which outlives the saver. Where the desktop
// offers no bus, SDL is given an address that names none, and goes without.
void KeepSdlFromLaunchingABus() {
    const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS");
    if (address && *address) return;
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    struct stat bus;
    if (runtime && *runtime && stat((std::string(runtime) + "/bus").c_str(), &bus) == 0 && S_ISSOCK(bus.st_mode))
        return;
    setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
}

// The X window behind the SDL window; 0 off X11.
unsigned long XWindowOf(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return 0;
    return info.info.x11.window;
}

}  // namespace

void SdlVideo::Start() {
    if (SDL_WasInit(SDL_INIT_VIDEO)) return;
    KeepSdlFromLaunchingABus();
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        throw RuntimeError(ErrorCode::InvalidArgument, std::string("SDL video cannot start: ") + SDL_GetError());
    // SDL's own error handler hands every error on to Xlib's default, which ends the
    // process with a dump.
    InstallXErrorHandlers();
}

// The attributes every window's GL context is made with: 3.3 core, double-buffered, with
// a depth buffer for a scene drawn straight into the window. Sixteen bits tell the scene's
// surfaces apart (the pumpkin's shell is five units thick at three hundred units' distance,
// where they resolve about one and a half), and where the system offers them, take half the
// memory of 24: 4 MB of a 1080p monitor.
void SdlVideo::AskForGl33() {
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
}

bool SdlVideo::OnWayland() {
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver && std::string(driver) == "wayland";
}

SDL_Window* SdlVideo::WindowOf(WindowHandle handle) {
    SDL_Window* window = SDL_GetWindowFromID(static_cast<Uint32>(handle));
    if (!window) throw RuntimeError(ErrorCode::InvalidArgument, "no SDL window with id " + std::to_string(handle));
    return window;
}

std::vector<Uint32> SdlVideo::MonitorWindowsOf(WindowHandle window) const {
    auto found = monitorWindows.find(static_cast<Uint32>(window));
    if (found != monitorWindows.end()) return found->second;
    return {static_cast<Uint32>(window)};
}

wl_surface* SdlVideo::WaylandSurfaceOf(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_WAYLAND) return nullptr;
    return info.info.wl.surface;
}

::Display* SdlVideo::EventConnectionOf(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return nullptr;
    return info.info.x11.display;
}

void SdlVideo::HandleEvent(const SDL_Event& event) {
    FeedSdlInput(event, input);
    switch (event.type) {
    case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_EXPOSED) exposed.insert(event.window.windowID);
        if (event.window.event == SDL_WINDOWEVENT_CLOSE) {
            auto handler = closeHandlers.find(event.window.windowID);
            // The handler may destroy the window and with it this entry.
            if (handler != closeHandlers.end()) std::function<void()>(handler->second)();
        }
        break;
    case SDL_SYSWMEVENT: {
        // A parent of ours resized: its child of the screen's depth with it.
        const XEvent& x = event.syswm.msg->msg.x11.event;
        auto child = drawnChildren.find(x.xany.window);
        if (x.type == ConfigureNotify && child != drawnChildren.end())
            XResizeWindow(x.xany.display, child->second, x.xconfigure.width, x.xconfigure.height);
        break;
    }
    case SDL_QUIT:
        // Once for each saver window; a handler may close any of them.
        for (auto& [id, windows] : std::map(monitorWindows)) {
            if (!closeHandlers.count(id)) continue;
            // A copy: the handler may destroy the window and with it this entry.
            std::function<void()> handler = closeHandlers[id];
            handler();
        }
        break;
    default:
        break;
    }
}

void SdlVideo::WatchForLoss(SDL_Window* window) {
    if (unsigned long id = XWindowOf(window)) WatchXWindow(id);
}

void SdlVideo::StopWatching(SDL_Window* window) {
    if (unsigned long id = XWindowOf(window)) ForgetXWindow(id);
}

}  // namespace platform

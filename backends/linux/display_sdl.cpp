// The SDL2 display backend: the GL 3.3 core context shown in the windows of the shared
// video, present, cursor, the input record its events feed, the monitors' power, waits
// and the clock.
#include "backends/linux/display_sdl.h"

#include <SDL2/SDL_syswm.h>
#include <poll.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "backends/linux/glx_part_present.h"
#include "backends/linux/wayland_frame_watch.h"
#include "backends/linux/x_error_handlers.h"
#include "backends/linux/x_monitors.h"
#include "backends/frame_rate_file.h"
#include "backends/display_clock.h"
#include "backends/uncapped_frames.h"
#include "common/runtime_error.h"

namespace platform {

namespace {

// A window shown a part at a time is shown whole at least this often (seconds) as well, in
// case the window system lost what it showed without telling.
constexpr double kWholeShownEvery = 1.0;

// The window's colour depth, which tells why GL may refuse it (a 16-bit screen, say).
std::string WindowVisualText(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    XWindowAttributes attributes;
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11 ||
        !XGetWindowAttributes(info.info.x11.display, info.info.x11.window, &attributes))
        return "its visual unknown";
    return "a " + std::to_string(attributes.depth) + "-bit visual";
}

class SdlDisplay : public DisplaySystem {
public:
    explicit SdlDisplay(std::shared_ptr<SdlVideo> video) : video_(std::move(video)) {}

    void CoverMonitor(WindowHandle window) override {
        // Wayland's windows were made to fill their displays, and keep no place of ours.
        if (SdlVideo::OnWayland()) return;
        std::vector<Uint32> ids = video_->MonitorWindowsOf(window);
        std::vector<MonitorArea> monitors = ListMonitors(*video_->x);
        // A saver window's windows were made one per monitor, in this order; any other
        // window covers the primary.
        for (std::size_t index = 0; index < ids.size(); ++index) {
            const MonitorArea& monitor = monitors[std::min(index, monitors.size() - 1)];
            SDL_Window* sdlWindow = SdlVideo::WindowOf(ids[index]);
            SDL_SetWindowPosition(sdlWindow, monitor.x, monitor.y);
            SDL_SetWindowSize(sdlWindow, monitor.width, monitor.height);
        }
    }

    std::vector<WindowHandle> MonitorWindows(WindowHandle window) override {
        std::vector<Uint32> ids = video_->MonitorWindowsOf(window);
        return {ids.begin(), ids.end()};
    }

    double RefreshRate(WindowHandle window) override {
        if (FramesUncapped()) return kUncappedRefreshHz;
        SDL_DisplayMode mode{};
        int index = SDL_GetWindowDisplayIndex(SdlVideo::WindowOf(window));
        if (index < 0 || SDL_GetCurrentDisplayMode(index, &mode) != 0) return 0;
        return mode.refresh_rate;
    }

    void StartGl(WindowHandle window) override {
        SDL_Window* sdlWindow = SdlVideo::WindowOf(window);
        SDL_GLContext context = SDL_GL_CreateContext(sdlWindow);
        if (!context)
            throw RuntimeError(ErrorCode::InvalidArgument,
                               "no OpenGL 3.3 core context for the window (" + WindowVisualText(sdlWindow) +
                                   "): " + SDL_GetError());
        video_->context = context;
        // SDL's context creation puts back the error handler it found when the video
        // started, not ours.
        InstallXErrorHandlers();
    }

    void MakeCurrent(WindowHandle window) override {
        SDL_Window* sdlWindow = SdlVideo::WindowOf(window);
        if (SDL_GL_GetCurrentWindow() == sdlWindow) return;
        if (SDL_GL_MakeCurrent(sdlWindow, video_->context) != 0)
            throw RuntimeError(ErrorCode::InvalidArgument, std::string("the GL context cannot be moved: ") + SDL_GetError());
    }

    void* GlFunction(const char* name) override { return SDL_GL_GetProcAddress(name); }

    void StopGl(WindowHandle) override {
        if (video_->context) SDL_GL_DeleteContext(video_->context);
        video_->context = nullptr;
    }

    PixelSize DrawableSize(WindowHandle window) override {
        PixelSize size;
        SDL_GL_GetDrawableSize(SdlVideo::WindowOf(window), &size.width, &size.height);
        return size;
    }

    void SwapBuffers(WindowHandle window) override {
        SDL_Window* sdlWindow = ShownWindow(window);
        if (wl_surface* surface = SdlVideo::WaylandSurfaceOf(sdlWindow)) frames_[window].AskBeforeCommit(surface, Seconds());
        SDL_GL_SwapWindow(sdlWindow);
        CountFrame(window);
    }

    bool PresentPart(WindowHandle window, const PixelArea& part) override {
        SDL_Window* sdlWindow = ShownWindow(window);
        double now = Seconds();
        PixelArea shown = part;
        // A window's first part comes with the whole window, whenever the clock started.
        double& lastWhole = wholeShown_.try_emplace(window, -kWholeShownEvery).first->second;
        if (video_->exposed.erase(SDL_GetWindowID(sdlWindow)) || now - lastWhole >= kWholeShownEvery) {
            shown = {0, 0, 0, 0};
            SDL_GL_GetDrawableSize(sdlWindow, &shown.width, &shown.height);
            lastWhole = now;
        }
        if (!partPresent_.Present(sdlWindow, shown)) return false;
        CountFrame(window);
        return true;
    }

    bool SetSwapInterval(int interval) override {
        return SDL_GL_SetSwapInterval(FramesUncapped() ? 0 : interval) == 0;
    }

    // A saver window still hidden shows itself first.
    static SDL_Window* ShownWindow(WindowHandle window) {
        SDL_Window* sdlWindow = SdlVideo::WindowOf(window);
        if (SDL_GetWindowFlags(sdlWindow) & SDL_WINDOW_HIDDEN) SDL_ShowWindow(sdlWindow);
        return sdlWindow;
    }

    // A frame counts once, when a window that is no saver window's second monitor's is shown.
    void CountFrame(WindowHandle window) {
        for (const auto& [primary, windows] : video_->monitorWindows)
            if (primary != window && std::count(windows.begin(), windows.end(), window)) return;
        frameRate_.Shown(Seconds());
    }

    void ShowCursor(bool visible) override { SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE); }

    InputRecord& Input() override { return video_->input; }

    bool MonitorsOn() override {
        if (!SdlVideo::OnWayland()) return MonitorsPowered(*video_->x);
        // XWayland's power is no output's: on Wayland the compositor's wish for frames
        // tells whether any window shows.
        double now = Seconds();
        return frames_.empty() || std::any_of(frames_.begin(), frames_.end(), [now](const auto& watched) {
                   return !watched.second.Unasked(now, kFramesUnaskedSeconds);
               });
    }

    double Seconds() override { return clock_.Seconds(); }

    void Sleep(double seconds) override {
        if (seconds > 0) std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    }

    void WaitForEvents(double seconds) override {
        ::Display* connection = video_->eventConnection;
        // Leaves the event it waited for in SDL's queue.
        if (SdlVideo::OnWayland()) {
            SDL_WaitEventTimeout(nullptr, static_cast<int>(seconds * 1000));
            return;
        }
        if (!connection) return Sleep(seconds);
        // Events already read from the socket would not wake the wait.
        if (XPending(connection) > 0) return;
        pollfd socket{ConnectionNumber(connection), POLLIN, 0};
        poll(&socket, 1, static_cast<int>(seconds * 1000));
    }

private:
    std::shared_ptr<SdlVideo> video_;
    // On Wayland, whether the compositor still wants frames of each window.
    std::map<WindowHandle, FrameWatch> frames_;
    // When each window shown a part at a time was last shown whole.
    std::map<WindowHandle, double> wholeShown_;
    FrameRateFile frameRate_;
    GlxPartPresent partPresent_;
    DisplayClock clock_;
};

}  // namespace

std::unique_ptr<DisplaySystem> NewSdlDisplay(std::shared_ptr<SdlVideo> video) {
    return std::make_unique<SdlDisplay>(std::move(video));
}

}  // namespace platform

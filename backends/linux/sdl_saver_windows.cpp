#include "backends/linux/sdl_saver_windows.h"

#include <string>
#include <utility>
#include <vector>

#include "backends/linux/x_monitors.h"
#include "backends/linux/x_wayland_server.h"
#include "common/runtime_error.h"
#include "saver/monitor_windows.h"

namespace platform {

namespace {

// Where a monitor's window goes and how it covers the monitor.
struct Placement {
    int x = 0, y = 0, width = 0, height = 0;
    Uint32 flags = 0;
};

// On X11 a borderless window at each monitor's place; on Wayland, which ignores places,
// one window per display that asks to fill its display, drawn at the output's own pixels
// (twice the logical size on an output of scale 2) rather than doubled by the compositor.
std::vector<Placement> Placements(XConnection& x) {
    std::vector<Placement> placements;
    if (!SdlVideo::OnWayland()) {
        for (const MonitorArea& monitor : ListMonitors(x))
            placements.push_back({monitor.x, monitor.y, monitor.width, monitor.height, SDL_WINDOW_BORDERLESS});
        return placements;
    }
    for (int index = 0; index < SDL_GetNumVideoDisplays(); ++index) {
        SDL_Rect bounds{};
        if (SDL_GetDisplayBounds(index, &bounds) != 0) continue;
        int place = static_cast<int>(SDL_WINDOWPOS_UNDEFINED_DISPLAY(index));
        placements.push_back({place, place, bounds.w, bounds.h, SDL_WINDOW_FULLSCREEN_DESKTOP | SDL_WINDOW_ALLOW_HIGHDPI});
    }
    if (placements.empty()) throw RuntimeError(ErrorCode::InvalidArgument, "SDL reports no display");
    return placements;
}

// The saver window: a borderless SDL window on each monitor, with the GL attributes a
// 3.3 core context needs, so that the one context can be made current on each.
class SdlSaverWindows : public saver::SaverWindowSystem {
public:
    explicit SdlSaverWindows(std::shared_ptr<SdlVideo> video) : video_(std::move(video)) {}

    WindowHandle Create(std::function<void()> onClose) override {
        SdlVideo::Start();
        SdlVideo::AskForGl33();
        bool guest = !SdlVideo::OnWayland() && XServerIsXWayland(*video_->x);
        // SDL would hold the compositor's idle inhibitor for its windows (or ask the desktop
        // not to idle), keeping the idle daemon that started the saver from its later steps
        // (a lock, the outputs off) and from seeing the user come back.
        if (SdlVideo::OnWayland() || guest) SDL_EnableScreenSaver();
        // XWayland's window manager, the compositor, would put every managed window on the
        // output it chooses; windows it does not manage stay where they are put, one on
        // each output, and still take the keyboard.
        SDL_SetHint(SDL_HINT_X11_FORCE_OVERRIDE_REDIRECT, guest ? "1" : "0");
        std::vector<Uint32> ids = saver::MakeWindowPerMonitor<Placement, Uint32>(
            Placements(*video_->x), [&](const Placement& placement) { return CreateOne(placement, onClose); },
            [this](Uint32 id) { DestroyOne(id); });
        video_->monitorWindows[ids.front()] = ids;
        return ids.front();
    }

    void Show(WindowHandle window) override {
        std::vector<Uint32> ids = video_->MonitorWindowsOf(window);
        saver::ShowPrimaryLast<Uint32>(ids, [](Uint32 id, bool) {
            SDL_Window* sdlWindow = SdlVideo::WindowOf(id);
            SDL_ShowWindow(sdlWindow);
            SDL_RaiseWindow(sdlWindow);
        });
        // On Wayland nobody knows where the cursor is until it enters a window.
        if (SdlVideo::OnWayland()) return;
        int x = 0, y = 0;
        SDL_GetGlobalMouseState(&x, &y);
        auto cursor = saver::FindCursorWindow<Uint32>(ids, x, y, [](Uint32 id) {
            saver::DesktopArea area;
            SDL_GetWindowPosition(SdlVideo::WindowOf(id), &area.left, &area.top);
            SDL_GetWindowSize(SdlVideo::WindowOf(id), &area.width, &area.height);
            return area;
        });
        if (cursor) video_->input.Motion(cursor->window, cursor->x, cursor->y);
    }

    void Destroy(WindowHandle window) override {
        std::vector<Uint32> ids = video_->MonitorWindowsOf(window);
        video_->monitorWindows.erase(static_cast<Uint32>(window));
        for (Uint32 id : ids) DestroyOne(id);
    }

private:
    Uint32 CreateOne(const Placement& placement, const std::function<void()>& onClose) {
        SDL_Window* window = SDL_CreateWindow("Kelvora", placement.x, placement.y, placement.width, placement.height,
                                              SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN | placement.flags);
        if (!window) throw RuntimeError(ErrorCode::InvalidArgument, std::string("SDL window: ") + SDL_GetError());
        Uint32 id = SDL_GetWindowID(window);
        video_->closeHandlers[id] = onClose;
        SdlVideo::WatchForLoss(window);
        if (!video_->eventConnection) video_->eventConnection = SdlVideo::EventConnectionOf(window);
        return id;
    }

    void DestroyOne(Uint32 id) {
        video_->closeHandlers.erase(id);
        if (SDL_Window* sdlWindow = SDL_GetWindowFromID(id)) {
            SdlVideo::StopWatching(sdlWindow);
            SDL_DestroyWindow(sdlWindow);
        }
    }

    std::shared_ptr<SdlVideo> video_;
};

}  // namespace

std::unique_ptr<saver::SaverWindowSystem> NewSdlSaverWindows(std::shared_ptr<SdlVideo> video) {
    return std::make_unique<SdlSaverWindows>(std::move(video));
}

}  // namespace platform

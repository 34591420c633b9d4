#include "backends/linux/sdl_hack_windows.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>

#include "backends/linux/x_foreign_window.h"
#include "common/runtime_error.h"

namespace platform {

namespace {

// A hack's window. SDL takes another program's window as it is (it neither moves nor
// shows it) but learns of its new sizes only from events that its connection asked for.
class SdlHackWindows : public HackWindowSystem {
public:
    explicit SdlHackWindows(std::shared_ptr<SdlVideo> video) : video_(std::move(video)) {}

    std::uint64_t RootWindowId() override { return XRootWindowId(*video_->x); }

    WindowHandle Adopt(std::uint64_t nativeId) override {
        if (!XWindowExists(*video_->x, nativeId))
            throw RuntimeError(ErrorCode::InvalidArgument, "no X window with id " + WindowIdText(nativeId));
        SdlVideo::Start();
        SdlVideo::AskForGl33();
        // Without it SDL would not make a GL context for a window it did not create.
        SDL_SetHint(SDL_HINT_VIDEO_FOREIGN_WINDOW_OPENGL, "1");
        std::uint64_t drawnId = WindowOfScreenDepth(*video_->x, nativeId);
        SDL_Window* window = SDL_CreateWindowFrom(reinterpret_cast<const void*>(static_cast<std::uintptr_t>(drawnId)));
        if (!window)
            throw RuntimeError(ErrorCode::InvalidArgument,
                               "the X window " + WindowIdText(nativeId) + " cannot be drawn into: " + SDL_GetError());
        ::Display* connection = SdlVideo::EventConnectionOf(window);
        if (connection) FollowWindowSize(connection, nativeId);
        if (drawnId != nativeId) {
            // The child follows its parent's size (SdlVideo::HandleEvent), and SDL its own.
            if (connection) FollowWindowSize(connection, drawnId);
            video_->drawnChildren[nativeId] = drawnId;
            SDL_EventState(SDL_SYSWMEVENT, SDL_ENABLE);
        }
        if (!video_->eventConnection) video_->eventConnection = connection;
        SdlVideo::WatchForLoss(window);
        return SDL_GetWindowID(window);
    }

    WindowHandle OpenOwn(std::function<void()> onClose) override {
        SdlVideo::Start();
        SdlVideo::AskForGl33();
        SDL_Window* window = SDL_CreateWindow("Kelvora", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, 800, 600,
                                              SDL_WINDOW_OPENGL | SDL_WINDOW_RESIZABLE);
        if (!window) throw RuntimeError(ErrorCode::InvalidArgument, std::string("SDL window: ") + SDL_GetError());
        Uint32 id = SDL_GetWindowID(window);
        video_->closeHandlers[id] = std::move(onClose);
        SdlVideo::WatchForLoss(window);
        if (!video_->eventConnection) video_->eventConnection = SdlVideo::EventConnectionOf(window);
        return id;
    }

    void Release(WindowHandle window) override {
        video_->closeHandlers.erase(static_cast<Uint32>(window));
        video_->drawnChildren.clear();
        // SDL destroys only the X windows it made itself.
        if (SDL_Window* sdlWindow = SDL_GetWindowFromID(static_cast<Uint32>(window))) {
            SdlVideo::StopWatching(sdlWindow);
            SDL_DestroyWindow(sdlWindow);
        }
    }

private:
    static std::string WindowIdText(std::uint64_t id) {
        char text[32];
        std::snprintf(text, sizeof text, "0x%llx", static_cast<unsigned long long>(id));
        return text;
    }

    std::shared_ptr<SdlVideo> video_;
};

}  // namespace

std::unique_ptr<HackWindowSystem> NewSdlHackWindows(std::shared_ptr<SdlVideo> video) {
    return std::make_unique<SdlHackWindows>(std::move(video));
}

}  // namespace platform

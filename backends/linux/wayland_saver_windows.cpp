#include "backends/linux/wayland_saver_windows.h"

#include <algorithm>
#include <utility>

#include "common/runtime_error.h"

namespace platform {

namespace {

class WaylandSaverWindows : public saver::SaverWindowSystem {
public:
    explicit WaylandSaverWindows(std::shared_ptr<WaylandVideo> video) : video_(std::move(video)) {
        video_->link.onOutputAdded = [this](const WaylandOutput& output) { CoverNewOutput(output); };
        video_->link.onOutputRemoved = [this](const WaylandOutput& output) { LeaveOutput(output); };
    }

    ~WaylandSaverWindows() override {
        video_->link.onOutputAdded = nullptr;
        video_->link.onOutputRemoved = nullptr;
    }

    WindowHandle Create(std::function<void()> onClose) override {
        video_->StartEgl();
        std::vector<const WaylandOutput*> outputs = video_->link.Outputs();
        if (outputs.empty()) throw RuntimeError(ErrorCode::InvalidArgument, "the Wayland compositor reports no output");
        WindowHandle primary = video_->lastHandle + 1;
        video_->monitorWindows[primary] = {};
        video_->closeHandlers[primary] = std::move(onClose);
        for (const WaylandOutput* output : outputs) AddSurface(primary, *output);
        // The compositor sizes each surface in its answer.
        video_->link.Roundtrip();
        return primary;
    }

    // The surfaces show themselves with their first picture and have the keyboard from
    // the start; this only sends what is queued.
    void Show(WindowHandle) override { video_->Pump(); }

    void Destroy(WindowHandle window) override {
        for (WindowHandle handle : video_->MonitorWindowsOf(window)) video_->surfaces.erase(handle);
        video_->monitorWindows.erase(window);
        video_->closeHandlers.erase(window);
        wl_display_flush(video_->link.Display());
    }

private:
    void AddSurface(WindowHandle primary, const WaylandOutput& output) {
        WindowHandle handle = ++video_->lastHandle;
        video_->surfaces[handle] = std::make_unique<LayerSurface>(video_->link, output, video_->egl, video_->config,
                                                                  [this, primary, handle] { Closed(primary, handle); });
        video_->monitorWindows[primary].push_back(handle);
    }

    void CoverNewOutput(const WaylandOutput& output) {
        for (auto& [primary, handles] : video_->monitorWindows) AddSurface(primary, output);
    }

    // The handle stays, without a surface, for the engine that may still name it.
    void LeaveOutput(const WaylandOutput& output) {
        for (auto& [handle, surface] : video_->surfaces)
            if (surface && &surface->Output() == &output) surface.reset();
    }

    // The compositor closed one output's surface; the saver window closes with the last.
    void Closed(WindowHandle primary, WindowHandle handle) {
        video_->surfaces[handle].reset();
        const std::vector<WindowHandle>& handles = video_->monitorWindows[primary];
        bool anyLeft = std::any_of(handles.begin(), handles.end(),
                                   [this](WindowHandle other) { return video_->surfaces[other] != nullptr; });
        if (anyLeft) return;
        auto handler = video_->closeHandlers.find(primary);
        // A copy: the handler destroys the window and with it this entry.
        if (handler != video_->closeHandlers.end()) std::function<void()>(handler->second)();
    }

    std::shared_ptr<WaylandVideo> video_;
};

}  // namespace

std::unique_ptr<saver::SaverWindowSystem> NewWaylandSaverWindows(std::shared_ptr<WaylandVideo> video) {
    return std::make_unique<WaylandSaverWindows>(std::move(video));
}

}  // namespace platform

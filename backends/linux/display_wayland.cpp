// The EGL display backend over the shared Wayland connection: the GL 3.3 core context
// shown in the layer surfaces, present whole or in part, cursor, the input record the seat feeds, whether
// the outputs are awake, waits and the clock.
#include "backends/linux/display_wayland.h"

#include <EGL/eglext.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <utility>

#include "backends/display_clock.h"
#include "backends/frame_rate_file.h"
#include "backends/uncapped_frames.h"
#include "common/runtime_error.h"

namespace platform {

namespace {

class WaylandDisplay : public DisplaySystem {
public:
    explicit WaylandDisplay(std::shared_ptr<WaylandVideo> video) : video_(std::move(video)) {}

    // Each layer surface is anchored to every edge of its output: it covers it already.
    void CoverMonitor(WindowHandle) override {}

    std::vector<WindowHandle> MonitorWindows(WindowHandle window) override {
        return video_->MonitorWindowsOf(window);
    }

    double RefreshRate(WindowHandle window) override {
        if (FramesUncapped()) return kUncappedRefreshHz;
        LayerSurface* surface = video_->SurfaceOf(window);
        return surface ? surface->Output().refreshMilliHz / 1000.0 : 0;
    }

    void StartGl(WindowHandle window) override {
        video_->StartEgl();
        const EGLint attributes[] = {EGL_CONTEXT_MAJOR_VERSION, 3, EGL_CONTEXT_MINOR_VERSION, 3,
                                     EGL_CONTEXT_OPENGL_PROFILE_MASK, EGL_CONTEXT_OPENGL_CORE_PROFILE_BIT,
                                     EGL_NONE};
        video_->context = eglCreateContext(video_->egl, video_->config, EGL_NO_CONTEXT, attributes);
        if (video_->context == EGL_NO_CONTEXT)
            throw RuntimeError(ErrorCode::InvalidArgument, "no OpenGL 3.3 core context on the Wayland display");
        MakeCurrent(window);
    }

    void MakeCurrent(WindowHandle window) override {
        LayerSurface* surface = video_->SurfaceOf(window);
        // A surface whose output went draws nowhere, with the context still current.
        EGLSurface target = surface ? surface->Egl() : EGL_NO_SURFACE;
        if (eglGetCurrentContext() == video_->context && eglGetCurrentSurface(EGL_DRAW) == target) return;
        if (!eglMakeCurrent(video_->egl, target, target, video_->context))
            throw RuntimeError(ErrorCode::InvalidArgument, "the GL context cannot be moved to a Wayland surface");
        // The compositor's frame requests pace the frames, not a wait inside the swap:
        // a swap that waited for an output that sleeps would never return.
        if (target != EGL_NO_SURFACE) eglSwapInterval(video_->egl, 0);
    }

    void* GlFunction(const char* name) override { return reinterpret_cast<void*>(eglGetProcAddress(name)); }

    void StopGl(WindowHandle) override {
        if (video_->context == EGL_NO_CONTEXT) return;
        eglMakeCurrent(video_->egl, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
        eglDestroyContext(video_->egl, video_->context);
        video_->context = EGL_NO_CONTEXT;
    }

    PixelSize DrawableSize(WindowHandle window) override {
        LayerSurface* surface = video_->SurfaceOf(window);
        return surface ? surface->Size() : lastSizes_[window];
    }

    void SwapBuffers(WindowHandle window) override {
        LayerSurface* surface = video_->SurfaceOf(window);
        if (!surface) return;
        lastSizes_[window] = surface->Size();
        if (surface->Show(Seconds(), {0, 0, surface->Size().width, surface->Size().height})) CountFrame(window);
    }

    // The compositor keeps what it was shown, and the back buffer is never swapped.
    bool PresentPart(WindowHandle window, const PixelArea& part) override {
        LayerSurface* surface = video_->SurfaceOf(window);
        if (!surface) return true;
        if (surface->Show(Seconds(), part)) CountFrame(window);
        return true;
    }

    // A frame counts once, when a window that is no saver window's second output's is shown.
    void CountFrame(WindowHandle window) {
        for (const auto& [primary, windows] : video_->monitorWindows)
            if (primary != window && std::count(windows.begin(), windows.end(), window)) return;
        frameRate_.Shown(Seconds());
    }

    // The frame pacer keeps to the output's rate instead.
    bool SetSwapInterval(int) override { return false; }

    void ShowCursor(bool visible) override {
        if (video_->seat) video_->seat->ShowCursor(visible);
    }

    InputRecord& Input() override { return video_->input; }

    // Awake while any surface is on a powered output whose compositor still asks it for
    // frames.
    bool MonitorsOn() override {
        double now = Seconds();
        for (const auto& [handle, surface] : video_->surfaces)
            if (surface && surface->Output().powered && !surface->Frames().Unasked(now, kFramesUnaskedSeconds)) return true;
        return false;
    }

    double Seconds() override { return clock_.Seconds(); }

    void Sleep(double seconds) override {
        if (seconds > 0) std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    }

    void WaitForEvents(double seconds) override { video_->link.Wait(seconds); }

private:
    std::shared_ptr<WaylandVideo> video_;
    DisplayClock clock_;
    // The size each surface was last shown at, for the engine's questions after its output
    // went.
    std::map<WindowHandle, PixelSize> lastSizes_;
    FrameRateFile frameRate_;
};

}  // namespace

std::unique_ptr<DisplaySystem> NewWaylandDisplay(std::shared_ptr<WaylandVideo> video) {
    return std::make_unique<WaylandDisplay>(std::move(video));
}

}  // namespace platform

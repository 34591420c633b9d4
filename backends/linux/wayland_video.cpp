// The shared Wayland state of the Linux backends, EGL's start on the connection.
#include "backends/linux/wayland_video.h"

#include <EGL/eglext.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <utility>

#include "backends/linux/quit_signals.h"
#include "common/runtime_error.h"

namespace platform {

namespace {

// The keyboard moves between the saver's own surfaces (an output plugged in) with a leave
// and an enter in one breath; gone from all of them this long, another client has taken
// it: a lock screen come up over the saver, which then ends, leaving the lock in charge
// and the desktop behind it once unlocked.
constexpr double kKeyboardTakenSeconds = 0.5;

[[noreturn]] void EglFailed(const std::string& what) {
    throw RuntimeError(ErrorCode::InvalidArgument, what + " (EGL error 0x" + [] {
        char code[16];
        std::snprintf(code, sizeof code, "%04X", eglGetError());
        return std::string(code);
    }() + ")");
}

}  // namespace

WaylandVideo::WaylandVideo(std::unique_ptr<WaylandLink> link) : link(*link), ownLink_(std::move(link)) {
    if (wl_seat* userSeat = this->link.BindSeat()) {
        seat = std::make_unique<WaylandSeat>(userSeat, input, [this](wl_surface* surface) {
            for (const auto& [handle, layer] : surfaces)
                if (layer && layer->Surface() == surface) return WaylandSeat::SurfaceWindow{handle, layer->Scale()};
            return WaylandSeat::SurfaceWindow{};
        });
    }
    // The seat's devices arrive with the next answer.
    this->link.Roundtrip();
    NoteQuitSignals();
}

WaylandVideo::~WaylandVideo() {
    surfaces.clear();
    seat.reset();
    if (egl != EGL_NO_DISPLAY) {
        if (context != EGL_NO_CONTEXT) eglDestroyContext(egl, context);
        eglTerminate(egl);
    }
}

void WaylandVideo::StartEgl() {
    if (egl != EGL_NO_DISPLAY) return;
    auto getPlatformDisplay =
        reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(eglGetProcAddress("eglGetPlatformDisplayEXT"));
    EGLDisplay display = getPlatformDisplay ? getPlatformDisplay(EGL_PLATFORM_WAYLAND_KHR, link.Display(), nullptr)
                                            : eglGetDisplay(reinterpret_cast<EGLNativeDisplayType>(link.Display()));
    if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr)) EglFailed("no EGL on the Wayland display");
    egl = display;
    if (!eglBindAPI(EGL_OPENGL_API)) EglFailed("EGL offers no desktop OpenGL");
    // Sixteen bits of depth, as on every platform: enough for the scene, half the memory.
    const EGLint wanted[] = {EGL_SURFACE_TYPE, EGL_WINDOW_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
                             EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8,
                             EGL_DEPTH_SIZE, 16, EGL_NONE};
    EGLConfig configs[64];
    EGLint found = 0;
    if (!eglChooseConfig(egl, wanted, configs, 64, &found) || found < 1)
        EglFailed("no EGL configuration for OpenGL windows");
    // Eight bits a colour without alpha where there is one: EGL lists deeper colours first,
    // which a software renderer draws a good deal slower, for a picture shown at eight bits
    // anyway.
    config = configs[0];
    for (EGLint index = 0; index < found; ++index) {
        EGLint alpha = 0, red = 0;
        if (eglGetConfigAttrib(egl, configs[index], EGL_ALPHA_SIZE, &alpha) && alpha == 0 &&
            eglGetConfigAttrib(egl, configs[index], EGL_RED_SIZE, &red) && red == 8) {
            config = configs[index];
            break;
        }
    }
}

LayerSurface* WaylandVideo::SurfaceOf(WindowHandle window) const {
    auto found = surfaces.find(window);
    if (found == surfaces.end())
        throw RuntimeError(ErrorCode::InvalidArgument, "no Wayland surface with handle " + std::to_string(window));
    return found->second.get();
}

std::vector<WindowHandle> WaylandVideo::MonitorWindowsOf(WindowHandle window) const {
    auto found = monitorWindows.find(window);
    if (found != monitorWindows.end()) return found->second;
    return {window};
}

bool WaylandVideo::KeyboardTaken() const {
    if (!seat || seat->KeyboardGoneSince() < 0) return false;
    double now = std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
    return now - seat->KeyboardGoneSince() >= kKeyboardTakenSeconds;
}

void WaylandVideo::Pump() {
    link.Pump();
    if (!link.Lost() && !QuitSignalled() && !KeyboardTaken()) return;
    // Asked to quit, nothing shows any more, or a lock screen has the keyboard: every
    // saver window closes as if the compositor had asked (rather than drawing on unseen).
    for (auto& [window, handler] : std::map(closeHandlers)) {
        // A copy: the handler destroys the window and with it this entry.
        std::function<void()> close = handler;
        close();
    }
}

}  // namespace platform

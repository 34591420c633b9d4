// What engine/ needs of the operating system's display: one GL context shown on the saver
// window's monitor windows, present, cursor, the input record its events feed, whether
// the monitors are powered, waits, and a clock. Each backend (WGL, SDL2, Wayland's EGL)
// implements all of it; the window itself comes from the saver window's seam.
#pragma once
#include <cstdint>
#include <vector>

#include "common/input_record.h"
#include "seams/slot.h"

namespace platform {

// HWND on Windows; on Linux the SDL window id, or on a Wayland compositor with the layer
// shell the number of an output's surface.
using WindowHandle = std::intptr_t;

struct PixelSize {
    int width = 0;
    int height = 0;
};

// A rectangle of a window's pixels, counted from its bottom left as GL counts them.
struct PixelArea {
    int x = 0, y = 0, width = 0, height = 0;
};

// Every failure is the project's RuntimeError, saying why.
class DisplaySystem {
public:
    virtual ~DisplaySystem() = default;

    // Moves and sizes each of the window's monitor windows so that it covers its monitor.
    virtual void CoverMonitor(WindowHandle window) = 0;
    // The windows a picture given to this window is shown in, the window itself first:
    // the saver window's one window per monitor; just the window for any other.
    virtual std::vector<WindowHandle> MonitorWindows(WindowHandle window) = 0;
    // The refresh rate of the monitor the window is on, in hertz; 0 when unknown.
    virtual double RefreshRate(WindowHandle window) = 0;

    // Creates an OpenGL 3.3 core context on the window and makes it current.
    virtual void StartGl(WindowHandle window) = 0;
    // Makes the one context current on another of MonitorWindows(window), or on the
    // window again: drawing and SwapBuffers then go to that window.
    virtual void MakeCurrent(WindowHandle window) = 0;
    // The address of a GL entry point of the current context, for the loader; null when
    // the context has none.
    virtual void* GlFunction(const char* name) = 0;
    // Releases the context that StartGl made.
    virtual void StopGl(WindowHandle window) = 0;

    // The size in pixels of the window's drawable area.
    virtual PixelSize DrawableSize(WindowHandle window) = 0;
    // Shows the back buffer of the window, whose context is current. A saver window still
    // hidden shows itself first, so that the first picture presented is the first seen.
    virtual void SwapBuffers(WindowHandle window) = 0;
    // Before a picture that another graphics API drew (Direct3D's swap chain) is shown in
    // the window: as SwapBuffers does, a saver window still hidden shows itself first, and
    // the frame counts once. Nothing to do where only GL draws.
    virtual void Presenting(WindowHandle) {}
    // Shows one part of the back buffer of the window, whose context is current, and
    // leaves the back buffer as it was, so that the next frame need redraw only what
    // changes in it. Where anything covered the window since it was last shown, shows the
    // whole back buffer instead, since the window has lost what it showed there. False
    // where the platform cannot, and nothing was shown.
    virtual bool PresentPart(WindowHandle window, const PixelArea& part) = 0;
    // For the window whose context is current: 1 waits for the vertical blank at each
    // swap, 0 never does; false when the platform does not offer the choice.
    virtual bool SetSwapInterval(int interval) = 0;

    virtual void ShowCursor(bool visible) = 0;

    // The keyboard and mouse as the window's events have fed them in.
    virtual InputRecord& Input() = 0;

    // False while the window system reports the monitors powered down (Windows: the
    // console display is off; X11: DPMS standby, suspend or off; Wayland: every output
    // off, or no longer asking for frames). Asks every time.
    virtual bool MonitorsOn() = 0;

    // Seconds on a steady clock with an arbitrary start.
    virtual double Seconds() = 0;
    // Sleeps for about this long, never spinning.
    virtual void Sleep(double seconds) = 0;
    // Sleeps until a window-system event arrives (left for the event pump) or this long
    // has passed, whichever is first.
    virtual void WaitForEvents(double seconds) = 0;
};

inline Slot<DisplaySystem> Screen{"Display"};

}  // namespace platform

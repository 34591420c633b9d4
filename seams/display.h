// What engine/ needs of the operating system's display: a GL context on the saver
// window, present, cursor, the input record its events feed, and a clock. Each backend
// (WGL, SDL2) implements all of it; the window itself comes from the saver window's seam.
#pragma once
#include <cstdint>

#include "common/input_record.h"
#include "seams/slot.h"

namespace platform {

// HWND on Windows; the SDL window id on Linux.
using WindowHandle = std::intptr_t;

struct PixelSize {
    int width = 0;
    int height = 0;
};

// Every failure is the project's RuntimeError, saying why.
class DisplaySystem {
public:
    virtual ~DisplaySystem() = default;

    // Moves and sizes the window so that it covers the monitor it is on.
    virtual void CoverMonitor(WindowHandle window) = 0;

    // Creates an OpenGL 3.3 core context on the window and makes it current.
    virtual void StartGl(WindowHandle window) = 0;
    // The address of a GL entry point of the current context, for the loader; null when
    // the context has none.
    virtual void* GlFunction(const char* name) = 0;
    // Releases the context that StartGl made.
    virtual void StopGl(WindowHandle window) = 0;

    // The size in pixels of the window's drawable area.
    virtual PixelSize DrawableSize(WindowHandle window) = 0;
    // Shows the back buffer.
    virtual void SwapBuffers(WindowHandle window) = 0;
    // 1 waits for the vertical blank at each swap, 0 never does; false when the platform
    // does not offer the choice.
    virtual bool SetSwapInterval(int interval) = 0;

    virtual void ShowCursor(bool visible) = 0;

    // The keyboard and mouse as the window's events have fed them in.
    virtual InputRecord& Input() = 0;

    // Seconds on a steady clock with an arbitrary start.
    virtual double Seconds() = 0;
};

inline Slot<DisplaySystem> Screen{"Display"};

}  // namespace platform

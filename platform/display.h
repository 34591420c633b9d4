// What engine/ and the saver window need of the operating system's display: a window
// that covers the monitor, a GL context on it, present, cursor, mouse and keyboard
// state, and a clock. Each backend (WGL, SDL2) implements all of it.
#pragma once
#include <cstdint>
#include <functional>

namespace platform::display {

// HWND on Windows; the SDL window id on Linux.
using WindowHandle = std::intptr_t;

// A borderless window covering the primary monitor, created hidden, able to carry an
// OpenGL context. onClose runs (from inside the event pump) when the window system asks
// the window to close.
WindowHandle CreateSaverWindow(std::function<void()> onClose);
void ShowSaverWindow(WindowHandle window);
void DestroySaverWindow(WindowHandle window);

// Moves and sizes the window so that it covers the monitor it is on.
void CoverMonitor(WindowHandle window);

// Creates an OpenGL 3.3 core context on the window and makes it current. Throws
// std::runtime_error, saying why, when the window or the system cannot give one.
void StartGl(WindowHandle window);
// The address of a GL entry point of the current context, for the loader; null when
// the context has none.
void* GlFunction(const char* name);
// Releases the context that StartGl made.
void StopGl(WindowHandle window);

struct Size {
    int width = 0;
    int height = 0;
};
// The size in pixels of the window's drawable area.
Size DrawableSize(WindowHandle window);
// Shows the back buffer.
void SwapBuffers(WindowHandle window);
// 1 waits for the vertical blank at each swap, 0 never does; false when the platform
// does not offer the choice.
bool SetSwapInterval(int interval);

void ShowCursor(bool visible);

// The mouse as the window's events last reported it: position in the window's pixels,
// buttons held, and the wheel's notches summed since the process started.
struct MouseState {
    int x = 0;
    int y = 0;
    bool left = false;
    bool right = false;
    bool middle = false;
    int wheelTotal = 0;
};
MouseState Mouse();

// Key codes are the platform's own (Win32 virtual keys, SDL scancodes), never 0.
// presses counts the fresh presses since the process started (auto-repeat does not
// count); lastKey is the key of the most recent one, 0 before the first.
struct KeyPresses {
    std::int32_t lastKey = 0;
    std::uint64_t presses = 0;
};
KeyPresses LastKeyPress();
bool IsKeyDown(std::int32_t key);

// Seconds on a steady clock with an arbitrary start.
double Seconds();

}  // namespace platform::display

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

}  // namespace platform::display

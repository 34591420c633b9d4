// The steps of a saver window that every window system takes alike: a window per monitor
// made all together or not at all, the primary shown last, the cursor found over a window.
#pragma once
#include <functional>
#include <iterator>
#include <optional>
#include <vector>

namespace saver {

// A window's place on the desktop, in desktop pixels.
struct DesktopArea {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// One window per monitor, in the monitors' order (the primary's first). make fails by
// throwing; then the windows already made go again through destroy and the failure goes on,
// so a saver window never stands on some monitors only.
template <typename Monitor, typename Window>
std::vector<Window> MakeWindowPerMonitor(const std::vector<Monitor>& monitors,
                                         const std::function<Window(const Monitor&)>& make,
                                         const std::function<void(Window)>& destroy) {
    std::vector<Window> windows;
    try {
        for (const Monitor& monitor : monitors) windows.push_back(make(monitor));
    } catch (...) {
        for (Window window : windows) destroy(window);
        throw;
    }
    return windows;
}

// Shows a saver window's windows (the primary's first) with the primary's last, so that it
// ends up in front.
template <typename Window>
void ShowPrimaryLast(const std::vector<Window>& windows, const std::function<void(Window, bool primary)>& show) {
    for (auto window = windows.rbegin(); window != windows.rend(); ++window)
        show(*window, std::next(window) == windows.rend());
}

// Where the cursor, at (x, y) on the desktop, rests: the window it is over and its place
// in that window's pixels. The cursor may rest where a window appears, and the saver hears
// of it there before it moves.
template <typename Window>
struct CursorInWindow {
    Window window;
    int x;
    int y;
};

template <typename Window>
std::optional<CursorInWindow<Window>> FindCursorWindow(const std::vector<Window>& windows, int x, int y,
                                                       const std::function<DesktopArea(Window)>& areaOf) {
    for (Window window : windows) {
        DesktopArea area = areaOf(window);
        if (x < area.left || y < area.top || x >= area.left + area.width || y >= area.top + area.height) continue;
        return CursorInWindow<Window>{window, x - area.left, y - area.top};
    }
    return std::nullopt;
}

}  // namespace saver

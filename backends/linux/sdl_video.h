// The one SDL video connection that the Linux window backends share: the saver windows
// and the hack windows record their windows and close handlers in it, the display draws
// through its GL context into them, and the event pump hands it every SDL event.
#pragma once
#include <SDL2/SDL.h>
#include <X11/Xlib.h>
#include <wayland-client.h>

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <utility>
#include <vector>

#include "backends/linux/x_connection.h"
#include "common/input_record.h"
#include "seams/display.h"

namespace platform {

class SdlVideo {
public:
    // x: our own X connection, for what SDL does not tell.
    explicit SdlVideo(std::shared_ptr<XConnection> x) : x(std::move(x)) {}
    SdlVideo(const SdlVideo&) = delete;
    SdlVideo& operator=(const SdlVideo&) = delete;

    // Starts SDL's video subsystem unless it runs.
    static void Start();
    // Sets the attributes every window's GL context is made with.
    static void AskForGl33();
    // Whether SDL talks to a Wayland compositor, which places windows itself.
    static bool OnWayland();
    // The SDL window behind the handle; fails when there is none.
    static SDL_Window* WindowOf(WindowHandle handle);

    // A saver window's windows, its primary's first; any other window alone.
    std::vector<Uint32> MonitorWindowsOf(WindowHandle window) const;
    // The Wayland surface SDL shows the window in; null off Wayland.
    static wl_surface* WaylandSurfaceOf(SDL_Window* window);
    // The X connection SDL talks to the window over; null off X11.
    static ::Display* EventConnectionOf(SDL_Window* window);
    // Feeds the input record and runs the close handlers the event asks for.
    void HandleEvent(const SDL_Event& event);
    // The X window behind an SDL window, whose loss then ends the process (see
    // x_error_handlers.h); and no more.
    static void WatchForLoss(SDL_Window* window);
    static void StopWatching(SDL_Window* window);

    // Every window of a saver window has its close handler, and a hack's own window too.
    std::map<Uint32, std::function<void()>> closeHandlers;
    // A saver window's windows by the id of its first (the primary monitor's), that first.
    std::map<Uint32, std::vector<Uint32>> monitorWindows;
    // Windows that something covered and uncovered since they were last shown whole: what
    // they showed there is lost.
    std::set<Uint32> exposed;
    SDL_GLContext context = nullptr;
    // SDL's own connection, whose socket brings the events a wait looks out for.
    ::Display* eventConnection = nullptr;
    // Other programs' windows drawn in through a child of ours (see WindowOfScreenDepth),
    // by the parent's id.
    std::map<unsigned long, unsigned long> drawnChildren;
    InputRecord input;
    std::shared_ptr<XConnection> x;
};

}  // namespace platform

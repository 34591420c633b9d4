// The Linux backend of every seam, made and installed together.
#include <SDL2/SDL.h>

#include <cstdlib>
#include <cstring>

#include "backends/backends.h"
#include "backends/linux/display_sdl.h"
#include "backends/linux/display_wayland.h"
#include "backends/linux/event_pump.h"
#include "backends/linux/linux_backends.h"
#include "backends/linux/quit_signals.h"
#include "backends/linux/sdl_hack_windows.h"
#include "backends/linux/sdl_saver_windows.h"
#include "backends/linux/sdl_video.h"
#include "backends/linux/wayland_hack_windows.h"
#include "backends/linux/wayland_saver_windows.h"
#include "backends/linux/wayland_video.h"

namespace platform {

namespace {

bool Set(const char* name) {
    const char* value = std::getenv(name);
    return value && *value && std::strcmp(value, "0") != 0;
}

// The compositor of a Wayland session, when one answers; null otherwise.
std::unique_ptr<WaylandLink> SessionCompositor() {
    if (!Set("WAYLAND_DISPLAY")) return nullptr;
    return WaylandLink::Connect();
}

// Where the compositor offers the layer shell (wlroots' compositors do) and
// KELVORA_NO_LAYER_SHELL does not turn it down, the saver draws in layer surfaces.
bool LayerShellWanted(const WaylandLink& link) {
    return link.Compositor() && link.Shm() && link.LayerShell() && !Set("KELVORA_NO_LAYER_SHELL");
}

}  // namespace

std::unique_ptr<PlatformBackends> InstallPlatformBackends(int argc, char** argv) {
    TreatHangUpAsTerminate();
    auto made = std::make_unique<PlatformBackends>();
    // Every backend that asks the X server itself shares our one connection to it.
    auto x = std::make_shared<XConnection>();
    auto pump = std::make_shared<EventPump>();
    made->toolkit = NewLinuxToolkit(argc, argv, x, pump);
    made->windows = NewLinuxWindowsApi(x);
    // The display, the saver windows and the hack windows share SDL's one video
    // connection, and the event pump hands its events on to them.
    auto video = std::make_shared<SdlVideo>(x);
    pump->HandSdlEventsTo(video);
    std::unique_ptr<WaylandLink> compositor = SessionCompositor();
    if (compositor && LayerShellWanted(*compositor)) {
        auto wayland = std::make_shared<WaylandVideo>(std::move(compositor));
        pump->HandWaylandEventsTo(wayland);
        made->display = NewWaylandDisplay(wayland);
        made->saverWindows = NewWaylandSaverWindows(wayland);
    } else {
        // SDL would take XWayland whenever DISPLAY is set too, where its windows cannot
        // be placed on the outputs.
        if (compositor) SDL_SetHint(SDL_HINT_VIDEODRIVER, "wayland");
        made->display = NewSdlDisplay(video);
        made->saverWindows = NewSdlSaverWindows(video);
    }
    made->settingsWindows = NewFltkSettingsWindows(x);
    made->previewHolder = NewXlibPreviewHolder(x);
    made->hackWindows = NewSdlHackWindows(video);
    // A session is Wayland's by its name, whether or not its compositor answered us.
    if (Set("WAYLAND_DISPLAY")) made->hackWindows = NewWaylandHackWindows(std::move(made->hackWindows));
    made->hackListing = NewXScreenSaverListing();
    InstallInSlots(*made);
    return made;
}

}  // namespace platform

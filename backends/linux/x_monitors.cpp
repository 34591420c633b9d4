#include "backends/linux/x_monitors.h"

#include <SDL2/SDL.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xinerama.h>
#include <X11/extensions/dpms.h>

#include <algorithm>

namespace platform {

namespace {

std::vector<MonitorArea> SdlMonitors() {
    std::vector<MonitorArea> areas;
    for (int index = 0; index < SDL_GetNumVideoDisplays(); ++index) {
        SDL_Rect bounds{};
        if (SDL_GetDisplayBounds(index, &bounds) == 0) areas.push_back({bounds.x, bounds.y, bounds.w, bounds.h});
    }
    return areas;
}

// On our own connection: SDL's is busy with its events.
std::vector<MonitorArea> XineramaMonitors(XConnection& x) {
    std::vector<MonitorArea> areas;
    Display* server = x.Get();
    if (!server || !XineramaIsActive(server)) return areas;
    int count = 0;
    XineramaScreenInfo* screens = XineramaQueryScreens(server, &count);
    for (int index = 0; index < count; ++index)
        areas.push_back({screens[index].x_org, screens[index].y_org, screens[index].width, screens[index].height});
    if (screens) XFree(screens);
    return areas;
}

// Mirrored outputs show the same area: one window covers them all.
void DropDuplicates(std::vector<MonitorArea>& areas) {
    auto same = [](const MonitorArea& a, const MonitorArea& b) {
        return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
    };
    std::vector<MonitorArea> unique;
    for (const MonitorArea& area : areas)
        if (area.width > 0 && area.height > 0 &&
            std::none_of(unique.begin(), unique.end(), [&](const MonitorArea& kept) { return same(kept, area); }))
            unique.push_back(area);
    areas = std::move(unique);
}

}  // namespace

std::vector<MonitorArea> ListMonitors(XConnection& x) {
    std::vector<MonitorArea> fromSdl = SdlMonitors(), fromXinerama = XineramaMonitors(x);
    DropDuplicates(fromSdl);
    DropDuplicates(fromXinerama);
    std::vector<MonitorArea> areas = fromXinerama.size() > fromSdl.size() ? fromXinerama : fromSdl;
    if (areas.empty()) areas.push_back({0, 0, 800, 600});
    return areas;
}

bool MonitorsPowered(XConnection& x) {
    Display* server = x.Get();
    int eventBase = 0, errorBase = 0;
    if (!server || !DPMSQueryExtension(server, &eventBase, &errorBase) || !DPMSCapable(server)) return true;
    CARD16 level = DPMSModeOn;
    BOOL enabled = False;
    if (!DPMSInfo(server, &level, &enabled) || !enabled) return true;
    return level == DPMSModeOn;
}

}  // namespace platform

// The drawing layer of the Windows product: the first road that serves the window, in
// order Direct3D 11 on the graphics card, Direct3D 11 on WARP (Windows' own software
// renderer), OpenGL 3.3. KELVORA_RENDERER=d3d11|warp|gl takes that road alone; any other
// value names no road, so none serves. The road taken is noted in the event file.
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

#include "common/event_note.h"
#include "common/runtime_error.h"
#include "engine/d3d11_drawing_layer.h"
#include "engine/gl_drawing_layer.h"

namespace engine {

namespace {

// Set to anything but empty or "0", as the display backend reads its switches.
bool SwitchedOn(const char* variable) {
    const char* value = std::getenv(variable);
    return value && *value && std::strcmp(value, "0") != 0;
}

// KELVORA_D3D11_REMOVED_AT_PRESENT=N: the Nth present answers that the device was removed,
// as a driver update does; for the end-to-end tests.
int RemovedAtPresent() {
    const char* value = std::getenv("KELVORA_D3D11_REMOVED_AT_PRESENT");
    return value ? std::atoi(value) : 0;
}

std::unique_ptr<DrawingLayer> Direct3d(platform::WindowHandle window, D3d11Road road) {
    D3d11Options options;
    options.road = road;
    options.uncapped = SwitchedOn("KELVORA_UNCAPPED");
    options.removedAtPresent = RemovedAtPresent();
    // KELVORA_D3D11_BLT_MODEL: the swap chains take the blt model, as where Windows offers
    // no flip model; for the end-to-end tests.
    options.bltModel = SwitchedOn("KELVORA_D3D11_BLT_MODEL");
    return std::make_unique<D3d11DrawingLayer>(window, options);
}

struct Road {
    const char* name;
    std::function<std::unique_ptr<DrawingLayer>(platform::WindowHandle)> start;
};

}  // namespace

std::unique_ptr<DrawingLayer> StartDrawingLayer(platform::WindowHandle window) {
    const Road roads[] = {
        {"d3d11", [](platform::WindowHandle w) { return Direct3d(w, D3d11Road::Hardware); }},
        {"warp", [](platform::WindowHandle w) { return Direct3d(w, D3d11Road::Warp); }},
        {"gl", [](platform::WindowHandle w) -> std::unique_ptr<DrawingLayer> { return std::make_unique<GlDrawingLayer>(w); }},
    };
    const char* forced = std::getenv("KELVORA_RENDERER");
    std::string refusals;
    for (const Road& road : roads) {
        if (forced && *forced && std::strcmp(forced, road.name) != 0) continue;
        try {
            std::unique_ptr<DrawingLayer> layer = road.start(window);
            NoteEvent(std::string("drawing-road ") + road.name);
            return layer;
        } catch (const std::exception& refusal) {
            refusals += std::string(refusals.empty() ? "" : "; ") + road.name + ": " + refusal.what();
        }
    }
    if (refusals.empty()) refusals = std::string("KELVORA_RENDERER names no road: ") + forced;
    NoteEvent("drawing-roads-refused " + QuotedForEvent(refusals));
    throw RuntimeError(ErrorCode::InvalidArgument, "no drawing road serves the window (" + refusals + ")");
}

}  // namespace engine

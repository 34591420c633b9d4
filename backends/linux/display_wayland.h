// The display backend on a Wayland compositor with the layer shell: one EGL context drawn
// through into the saver window's layer surfaces.
#pragma once
#include <memory>

#include "backends/linux/wayland_video.h"
#include "seams/display.h"

namespace platform {

std::unique_ptr<DisplaySystem> NewWaylandDisplay(std::shared_ptr<WaylandVideo> video);

}  // namespace platform

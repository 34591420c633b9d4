// The saver window on a Wayland compositor with the layer shell: an overlay layer
// surface on each output, one added for an output that comes while it runs.
#pragma once
#include <memory>

#include "backends/linux/wayland_video.h"
#include "saver/saver_window.h"

namespace platform {

std::unique_ptr<saver::SaverWindowSystem> NewWaylandSaverWindows(std::shared_ptr<WaylandVideo> video);

}  // namespace platform

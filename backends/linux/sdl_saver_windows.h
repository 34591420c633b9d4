// The saver window on Linux: a borderless SDL window on each monitor.
#pragma once
#include <memory>

#include "saver/saver_window.h"
#include "backends/linux/sdl_video.h"

namespace platform {

std::unique_ptr<saver::SaverWindowSystem> NewSdlSaverWindows(std::shared_ptr<SdlVideo> video);

}  // namespace platform

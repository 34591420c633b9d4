// XScreenSaver's windows (and one of the hack's own) as SDL windows of the shared video.
#pragma once
#include <memory>

#include "host/hack_window.h"
#include "backends/linux/sdl_video.h"

namespace platform {

std::unique_ptr<HackWindowSystem> NewSdlHackWindows(std::shared_ptr<SdlVideo> video);

}  // namespace platform

// The SDL2 display backend over the shared video.
#pragma once
#include <memory>

#include "backends/linux/sdl_video.h"
#include "seams/display.h"

namespace platform {

std::unique_ptr<DisplaySystem> NewSdlDisplay(std::shared_ptr<SdlVideo> video);

}  // namespace platform

// The WGL display backend over the shared window state.
#pragma once
#include <memory>

#include "backends/windows/win32_video.h"
#include "seams/display.h"

namespace platform {

std::unique_ptr<DisplaySystem> NewWglDisplay(std::shared_ptr<Win32Video> video);

}  // namespace platform

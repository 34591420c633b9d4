// The saver window on Windows, over the shared window state.
#pragma once
#include <memory>

#include "backends/windows/win32_video.h"
#include "saver/saver_window.h"

namespace platform {

std::unique_ptr<saver::SaverWindowSystem> NewWglSaverWindows(std::shared_ptr<Win32Video> video);

}  // namespace platform

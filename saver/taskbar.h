// The taskbar's visibility while the saver runs.
#pragma once
#include "common/flags.h"

namespace mScreenSaver {

// Shows (true) or hides (false) the top-level "Shell_traywnd" window, looked up anew on
// every call; without a taskbar nothing changes.
void ShowTaskbar(Flag show);

// Shows the taskbar again if ShowTaskbar hid it and nothing showed it since. For the
// roads on which the process ends through a failure; never fails itself.
void RestoreTaskbarIfHidden() noexcept;

}  // namespace mScreenSaver

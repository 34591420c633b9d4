// A recording saver window: created, shown and destroyed in the journal; a test can
// close it from outside as the window system would.
#pragma once
#include "saver/saver_window.h"

namespace fakes {

inline constexpr platform::WindowHandle SaverWindow = 0x5A7E;

struct FakeDisplay {
    bool createFails = false;
    bool windowOpen = false;
};

// Installs the recording saver window and resets its state.
FakeDisplay& InstallFakeDisplay();

// Runs the close handler the window was created with, as a close from outside would.
void CloseSaverWindowFromOutside();

}  // namespace fakes

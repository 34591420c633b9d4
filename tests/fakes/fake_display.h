// A recording saver window: created, shown and destroyed in the journal; a test can
// close it from outside as the window system would.
#pragma once
#include "platform/display.h"

namespace fakes {

inline constexpr platform::display::WindowHandle SaverWindow = 0x5A7E;

struct FakeDisplay {
    bool createFails = false;
    bool windowOpen = false;
};

// Resets the fake window's state.
FakeDisplay& InstallFakeDisplay();

// Runs the close handler the window was created with, as a close from outside would.
void CloseSaverWindowFromOutside();

}  // namespace fakes

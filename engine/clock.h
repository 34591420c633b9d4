// The engine's clock: seconds on the display's steady clock, unless the render check or
// the still renderer has installed a clock of its own that moves only when told, to
// step the simulation by chosen amounts.
#pragma once
#include "seams/slot.h"

namespace engine {

struct ManualClock {
    double now = 0;
};

inline platform::Slot<ManualClock> InstalledClock{"ManualClock"};

double Now();

}  // namespace engine

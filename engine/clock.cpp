#include "engine/clock.h"

#include "seams/display.h"

namespace engine {

double Now() {
    if (const ManualClock* clock = InstalledClock.Installed()) return clock->now;
    return platform::Screen().Seconds();
}

}  // namespace engine

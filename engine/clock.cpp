#include "engine/clock.h"

#include "platform/display.h"

namespace engine {

namespace {
std::function<double()>& InstalledClock() {
    static std::function<double()> clock;
    return clock;
}
}  // namespace

double Now() {
    const auto& clock = InstalledClock();
    return clock ? clock() : platform::display::Seconds();
}

void UseClock(std::function<double()> clock) { InstalledClock() = std::move(clock); }

}  // namespace engine

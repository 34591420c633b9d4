// The engine's clock: seconds on the platform's steady clock, unless a test has put a
// clock of its own in its place to step the simulation by chosen amounts.
#pragma once
#include <functional>

namespace engine {

double Now();
// An empty function gives the platform's clock back.
void UseClock(std::function<double()> clock);

}  // namespace engine

// Counts the qualifying mouse moves and ends the saver on the third, provided the second
// followed the first within two seconds.
#pragma once
#include <cstdint>

namespace mScreenSaver {

// Moves counted since the last reset; stops at the 16-bit limit instead of overflowing.
extern std::int16_t MoveCount;
// Whole seconds since local midnight of the first counted move; 0 means no start.
extern std::int32_t MoveStartTime;

void CountMouseMove();

}  // namespace mScreenSaver

// Counts the qualifying mouse moves and tells when the third ends the saver, provided the
// second followed the first within two seconds.
#pragma once
#include <cstdint>

namespace mScreenSaver {

class ExitDetector {
public:
    // Counts one move; true when it is the third, and the saver must end.
    bool CountMouseMove();

    // Moves counted since the last reset; stops at the 16-bit limit instead of overflowing.
    std::int16_t MoveCount = 0;
    // Whole seconds since local midnight of the first counted move; 0 means no start.
    std::int32_t MoveStartTime = 0;
};

}  // namespace mScreenSaver

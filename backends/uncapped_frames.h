// KELVORA_UNCAPPED=1 lifts the running saver's refresh-rate cap, so that a benchmark can
// measure what a frame of the product costs rather than how often the monitor refreshes.
// The engine keeps its cap (it sees no environment): each display backend reports a
// monitor without a refresh limit, which the engine's frame pacer never sleeps for, and
// never waits for the vertical blank.
#pragma once
#include <cstdlib>
#include <cstring>
#include <limits>

namespace platform {

// Set to anything but empty or "0".
inline bool FramesUncapped() {
    const char* value = std::getenv("KELVORA_UNCAPPED");
    return value && *value && std::strcmp(value, "0") != 0;
}

// The refresh rate a display backend reports while uncapped: a frame period of zero.
constexpr double kUncappedRefreshHz = std::numeric_limits<double>::infinity();

}  // namespace platform

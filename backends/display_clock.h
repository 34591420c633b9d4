// The display backends' clock: steady seconds since the backend started. KELVORA_CLOCK_START
// (seconds) starts it that far on, so that a test sees at once what a saver shows after
// running that long, such as where the picture has wandered after an hour.
#pragma once
#include <chrono>
#include <cmath>
#include <cstdlib>

namespace platform {

class DisplayClock {
public:
    double Seconds() const {
        return start_ + std::chrono::duration<double>(std::chrono::steady_clock::now() - origin_).count();
    }

private:
    // A number of seconds from 0 to about thirty years; anything else starts at 0.
    static double StartFromEnvironment() {
        const char* value = std::getenv("KELVORA_CLOCK_START");
        if (!value || !*value) return 0;
        char* end = nullptr;
        double seconds = std::strtod(value, &end);
        return *end == '\0' && std::isfinite(seconds) && seconds >= 0 && seconds < 1e9 ? seconds : 0;
    }

    std::chrono::steady_clock::time_point origin_ = std::chrono::steady_clock::now();
    double start_ = StartFromEnvironment();
};

}  // namespace platform

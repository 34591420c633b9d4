// The exit detector's look at each frame's mouse position: a jump of more than 3 in
// either value, from a stored position above 0 in both, is a move worth counting.
#include <cstdint>
#include <cstdlib>

#include "host/exit_detector.h"
#include "scene/frm_saver.h"

namespace {
constexpr std::int64_t Jitter = 3;
}

void FrmSaver::CheckMouseMove(const std::int32_t& x, const std::int32_t& y) {
    // In 64 bits, so that positions at opposite ends of the 32-bit range still compare.
    std::int64_t dx = std::llabs(static_cast<std::int64_t>(x) - LastMouseX);
    std::int64_t dy = std::llabs(static_cast<std::int64_t>(y) - LastMouseY);
    if ((dx > Jitter || dy > Jitter) && LastMouseX > 0 && LastMouseY > 0) {
        mScreenSaver::CountMouseMove();
    }
    LastMouseX = x;
    LastMouseY = y;
}

#include "engine/flame_flicker.h"

#include <cmath>

namespace engine {

float FlameFlicker::NextLevel(float after) {
    // From the half of the range the flame is not in now, so that it never lingers: a
    // flare follows a dip and a dip a flare.
    float half = (1.0f - kDimmest) * 0.5f;
    float from = after > kDimmest + half ? kDimmest : kDimmest + half;
    return from + half * std::uniform_real_distribution<float>(0.0f, 1.0f)(random_);
}

float FlameFlicker::Advance(float seconds) {
    if (seconds > 0 && std::isfinite(seconds)) {
        along_ += seconds * kChangesPerSecond;
        if (along_ >= 1.0f) {
            float passed = std::floor(along_);
            along_ -= passed;
            // A step past more than one level starts from a fresh one, as if it had
            // passed through those between.
            from_ = passed >= 2.0f ? NextLevel(to_) : to_;
            to_ = NextLevel(from_);
        }
    }
    float eased = along_ * along_ * (3.0f - 2.0f * along_);
    return from_ + (to_ - from_) * eased;
}

glm::vec3 FlickerFollower::Follow(const glm::vec3& target, float seconds) {
    if (!started_) {
        started_ = true;
        level_ = target;
    } else if (seconds > 0) {
        level_ = glm::mix(level_, target, 1.0f - std::exp(-seconds / kTimeConstant));
    }
    return level_;
}

}  // namespace engine

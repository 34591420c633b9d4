#include "engine/flame_flicker.h"

#include <cmath>

namespace engine {

float FlameFlicker::NextLevel() {
    return kDimmest + (1.0f - kDimmest) * std::uniform_real_distribution<float>(0.0f, 1.0f)(random_);
}

float FlameFlicker::Advance(float seconds) {
    if (seconds > 0 && std::isfinite(seconds)) {
        along_ += seconds * kChangesPerSecond;
        if (along_ >= 1.0f) {
            float passed = std::floor(along_);
            along_ -= passed;
            // A step past more than one level starts from a fresh one, as if it had
            // passed through those between.
            from_ = passed >= 2.0f ? NextLevel() : to_;
            to_ = NextLevel();
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

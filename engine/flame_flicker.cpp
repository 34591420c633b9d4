#include "engine/flame_flicker.h"

#include <cmath>

namespace engine {

float FlameFlicker::NextLevel(float after) {
    // At least kLeastSwing of the range away from the level before, on whichever side
    // has room, so that the flame never lingers: a flare follows a dip and a dip a flare.
    // (With a swing of at most half the range, one side always has room.)
    std::uniform_real_distribution<float> share(0.0f, 1.0f);
    float swing = kLeastSwing * (1.0f - kDimmest);
    bool roomBelow = after - kDimmest >= swing, roomAbove = 1.0f - after >= swing;
    bool down = roomBelow && (!roomAbove || share(random_) < 0.5f);
    float along = share(random_);
    return down ? kDimmest + (after - swing - kDimmest) * along : after + swing + (1.0f - after - swing) * along;
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

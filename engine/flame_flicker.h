// A live flame's light: how brightly the flame burns from moment to moment, and the
// level of the light it casts as that follows the flame's particles from frame to frame.
// Both run on real time, so they look the same at any frame rate.
#pragma once
#include <glm/glm.hpp>

#include <random>

namespace engine {

// The flame burns between kDimmest and full brightness, easing from one randomly chosen
// level to the next, kChangesPerSecond times a second, each at least kLeastSwing of that
// range away from the one before: a candle's flicker.
class FlameFlicker {
public:
    static constexpr float kDimmest = 0.15f;
    static constexpr float kChangesPerSecond = 7.0f;
    // The least change from one level to the next, as a share of the range.
    static constexpr float kLeastSwing = 0.5f;

    // Moves on by the given seconds (a step not above zero, or endless, stays put) and
    // returns the brightness, from kDimmest to 1.
    float Advance(float seconds);

private:
    float NextLevel(float after);

    std::minstd_rand random_{1};
    float from_ = 1.0f, to_ = 1.0f;
    // How far the ease from `from_` to `to_` has come, 0 to 1.
    float along_ = 1.0f;
};

// The light's level follows its target (the flame particles' light) close enough behind
// that it flickers with them, smooth enough that a single frame's jump is no jitter.
class FlickerFollower {
public:
    // Seconds for the level to cover all but 1/e of the way to a target that stays put.
    static constexpr float kTimeConstant = 0.05f;

    // Moves the level towards the target over the given seconds and returns it. The first
    // call takes the target as it is; a step that is not above zero leaves the level.
    glm::vec3 Follow(const glm::vec3& target, float seconds);

private:
    glm::vec3 level_{0};
    bool started_ = false;
};

}  // namespace engine

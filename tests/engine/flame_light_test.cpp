// The engine's light math that needs no display: how a point light falls off towards its
// range, how a flame flickers, and how the light it casts follows it.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "engine/flame_flicker.h"
#include "engine/light_falloff.h"
#include "support/case_names.h"

namespace {

constexpr float kInfinity = std::numeric_limits<float>::infinity();
constexpr float kNan = std::numeric_limits<float>::quiet_NaN();

struct FalloffCase {
    float distance, range, expected;
};

class RangeFalloff : public testing::TestWithParam<FalloffCase> {};

TEST_P(RangeFalloff, IsFullAtTheLightFallsOffAndEndsAtTheRange) {
    const FalloffCase& c = GetParam();
    EXPECT_NEAR(engine::RangeFalloff(c.distance, c.range), c.expected, 1e-6f)
        << "distance " << c.distance << " range " << c.range;
}

INSTANTIATE_TEST_SUITE_P(
    Distances, RangeFalloff,
    testing::Values(FalloffCase{0, 300, 1}, FalloffCase{100, 300, (8 / 9.0f) * (8 / 9.0f)},
                    FalloffCase{150, 300, 0.5625f}, FalloffCase{100, 150, (5 / 9.0f) * (5 / 9.0f)},
                    FalloffCase{150, 150, 0}, FalloffCase{200, 150, 0}, FalloffCase{0.5f, 1, 0.5625f},
                    FalloffCase{2, 1, 0}, FalloffCase{0, 0, 0}, FalloffCase{10, -5, 0},
                    FalloffCase{10, kNan, 0}, FalloffCase{kNan, 300, 0}, FalloffCase{1e6f, kInfinity, 1},
                    FalloffCase{kInfinity, 300, 0}),
    [](const auto& info) {
        using support::CaseValue;
        return support::CaseName({"Distance", CaseValue(info.param.distance), "Range", CaseValue(info.param.range)});
    });

// The candle's range is its brightness: the lamp 100 units over the pumpkin lights its
// surface the more the longer the range, and every range lights nearer points more.
TEST(RangeFalloffShape, GrowsWithTheRangeAndFallsWithTheDistance) {
    for (float distance : {20.0f, 60.0f, 100.0f, 140.0f}) {
        float previous = 0;
        for (float range : {1.0f, 150.0f, 300.0f}) {
            float strength = engine::RangeFalloff(distance, range);
            EXPECT_GE(strength, previous) << distance << " at range " << range;
            previous = strength;
        }
        EXPECT_GT(engine::RangeFalloff(distance, 300), engine::RangeFalloff(distance + 10, 300));
    }
}

struct FollowCase {
    const char* name;
    float start, target, seconds, expected;
};

class FlickerFollower : public testing::TestWithParam<FollowCase> {};

TEST_P(FlickerFollower, MovesTowardsTheFlamesLightInRealTime) {
    const FollowCase& c = GetParam();
    engine::FlickerFollower follower;
    follower.Follow(glm::vec3(c.start), 0.1f);
    glm::vec3 level = follower.Follow(glm::vec3(c.target), c.seconds);
    EXPECT_NEAR(level.r, c.expected, 1e-4f) << c.name;
    EXPECT_NEAR(level.g, c.expected, 1e-4f) << c.name;
}

const float kOneTimeConstant = 1 - std::exp(-1.0f);

INSTANTIATE_TEST_SUITE_P(
    Steps, FlickerFollower,
    testing::Values(FollowCase{"no time passes", 0.2f, 1.0f, 0, 0.2f},
                    FollowCase{"a negative step", 0.2f, 1.0f, -1, 0.2f},
                    FollowCase{"a step that is not a number", 0.2f, 1.0f, kNan, 0.2f},
                    FollowCase{"one time constant up", 0, 1, engine::FlickerFollower::kTimeConstant, kOneTimeConstant},
                    FollowCase{"one time constant down", 1, 0, engine::FlickerFollower::kTimeConstant, 1 - kOneTimeConstant},
                    FollowCase{"a frame at 30 a second", 0, 1, 1 / 30.0f, 1 - std::exp(-1 / 30.0f / 0.05f)},
                    FollowCase{"a long gap arrives", 0.3f, 0.9f, 10, 0.9f},
                    FollowCase{"a steady light stays", 0.7f, 0.7f, 0.02f, 0.7f}),
    [](const auto& info) { return support::CaseName(info.param.name); });

TEST(FlickerFollowerStart, TakesTheFirstLightAsItIs) {
    engine::FlickerFollower follower;
    EXPECT_EQ(follower.Follow(glm::vec3(0.8f, 0.2f, 0.1f), 0).r, 0.8f);
}

// Two frames of 1/60 s end where one of 1/30 s does: the light looks the same at any
// frame rate.
TEST(FlickerFollowerStart, EndsAlikeWhateverTheFrameRate) {
    engine::FlickerFollower slow, fast;
    slow.Follow(glm::vec3(0), 0);
    fast.Follow(glm::vec3(0), 0);
    float once = slow.Follow(glm::vec3(1), 1 / 30.0f).r;
    fast.Follow(glm::vec3(1), 1 / 60.0f);
    EXPECT_NEAR(fast.Follow(glm::vec3(1), 1 / 60.0f).r, once, 1e-6f);
}

struct FlickerCase {
    const char* name;
    float step;
};

class FlameFlicker : public testing::TestWithParam<FlickerCase> {};

// Whatever the frame rate, the flame stays between its dimmest and full brightness,
// really flickers (it spans most of that range within a few seconds), and changes
// smoothly: no more between two frames than easing between two levels allows.
TEST_P(FlameFlicker, FlickersWithinItsRangeSmoothly) {
    const FlickerCase& c = GetParam();
    engine::FlameFlicker flicker;
    float lowest = 1, highest = 0, previous = flicker.Advance(0);
    // The steepest an ease from one level to the next gets, per second.
    const float steepest = 1.5f * (1 - engine::FlameFlicker::kDimmest) * engine::FlameFlicker::kChangesPerSecond;
    for (float t = 0; t < 5; t += c.step) {
        float now = flicker.Advance(c.step);
        ASSERT_GE(now, engine::FlameFlicker::kDimmest) << c.name;
        ASSERT_LE(now, 1.0f) << c.name;
        if (c.step * engine::FlameFlicker::kChangesPerSecond < 1) {
            ASSERT_LE(std::abs(now - previous), steepest * c.step + 1e-5f) << c.name << " at " << t;
        }
        lowest = std::min(lowest, now);
        highest = std::max(highest, now);
        previous = now;
    }
    EXPECT_GT(highest - lowest, 0.6f * (1 - engine::FlameFlicker::kDimmest)) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Rates, FlameFlicker,
                         testing::Values(FlickerCase{"60 frames a second", 1 / 60.0f},
                                         FlickerCase{"15 frames a second", 1 / 15.0f},
                                         FlickerCase{"the longest step", 0.25f}),
                         [](const auto& info) { return support::CaseName(info.param.name); });

// Sampled once a level, the flame never lingers: each level lies at least the least
// swing of the range away from the one before, so the light it casts visibly breathes.
TEST(FlameFlickerSteps, EachLevelSwingsClearlyAwayFromTheOneBefore) {
    engine::FlameFlicker flicker;
    const float leastSwing = engine::FlameFlicker::kLeastSwing * (1 - engine::FlameFlicker::kDimmest);
    float previous = flicker.Advance(1 / engine::FlameFlicker::kChangesPerSecond);
    for (int level = 0; level < 200; ++level) {
        float now = flicker.Advance(1 / engine::FlameFlicker::kChangesPerSecond);
        ASSERT_GE(std::abs(now - previous), leastSwing - 1e-4f) << "level " << level;
        previous = now;
    }
}

TEST(FlameFlickerSteps, StaysPutWhenNoTimePasses) {
    engine::FlameFlicker flicker;
    float now = flicker.Advance(0.03f);
    for (float step : {0.0f, -1.0f, kNan, kInfinity}) EXPECT_EQ(flicker.Advance(step), now) << step;
}

}  // namespace

// The display's pacing and sizing without a display: the frame cap and the rest while the
// monitors are off against a scripted display whose clock moves only when it sleeps, the
// size the picture is drawn at for a set of monitors, and the picture's slow wandering.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "engine/display.h"
#include "engine/frame_pacer.h"
#include "support/scripted_display.h"
#include "seams/display.h"

namespace {

using enginetest::ScriptedDisplay;

class FramePacing : public testing::Test {
protected:
    // Other tests of this program keep a display installed for their whole run.
    void SetUp() override {
        previous_ = platform::Screen.Installed();
        platform::Screen.Install(display_);
    }
    void TearDown() override {
        if (previous_)
            platform::Screen.Install(*previous_);
        else
            platform::Screen.Clear();
    }

    // Frames that each take drawSeconds to draw, shown through the pacer; how many it let
    // be shown.
    int RunFrames(int frames, double drawSeconds) {
        int shown = 0;
        for (int frame = 0; frame < frames; ++frame) {
            display_.now += drawSeconds;
            if (!pacer_.MonitorsAwake()) continue;
            ++shown;
            pacer_.WaitForNextFrame();
        }
        return shown;
    }

    platform::DisplaySystem* previous_ = nullptr;
    ScriptedDisplay display_;
    engine::FramePacer pacer_;
};

// Fast frames are held to the refresh rate by sleeping; slow ones are never made up by a
// burst; uncapped, or capped on a display that reports no refresh limit (as the backends
// do under KELVORA_UNCAPPED), nothing ever waits.
TEST_F(FramePacing, NeverShowsFramesFasterThanTheRefreshRateAndSleepsBetweenThem) {
    struct Case {
        double refreshHz, drawSeconds;
        bool capped;
        double expectedRate;  // frames a second over the run
        bool sleeps;
    } cases[] = {
        {0, 0.001, true, engine::FramePacer::kDefaultRefreshHz, true},  // unknown: 60
        {75, 0.001, true, 75, true},
        {60, 0.050, true, 20, false},  // slower than the cap: as fast as it draws
        {60, 0.001, false, 1000, false},
        {std::numeric_limits<double>::infinity(), 0.001, true, 1000, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.refreshHz << " Hz, " << c.drawSeconds << " s a frame");
        display_.sleeps.clear();
        pacer_.Start(c.refreshHz, c.capped);
        double start = display_.now;
        int shown = RunFrames(600, c.drawSeconds);
        double rate = shown / (display_.now - start);
        EXPECT_EQ(shown, 600);
        EXPECT_NEAR(rate, c.expectedRate, c.expectedRate * 0.01);
        EXPECT_EQ(!display_.sleeps.empty(), c.sleeps);
    }
}

// While the monitors are off no frame is shown and each pass waits for events (input wakes
// it at once) for up to the poll interval; the power is asked at every wake then, but only
// every poll interval while they are on.
TEST_F(FramePacing, ShowsNothingWhileTheMonitorsAreOffAndResumesWhenTheyWake) {
    pacer_.Start(60, true);
    EXPECT_EQ(RunFrames(60, 0.001), 60);
    EXPECT_LE(display_.powerQuestions, 1);
    EXPECT_TRUE(display_.eventWaits.empty());

    // The next look at the power comes within the poll interval of its going off.
    display_.monitorsOn = false;
    int shownBeforeNoticed = RunFrames(static_cast<int>(engine::FramePacer::kPowerPollSeconds * 60) + 5, 0.001);
    EXPECT_LE(shownBeforeNoticed, engine::FramePacer::kPowerPollSeconds * 60 + 1);
    display_.eventWaits.clear();
    int questions = display_.powerQuestions;
    EXPECT_EQ(RunFrames(10, 0.001), 0);
    EXPECT_EQ(display_.eventWaits, std::vector<double>(10, engine::FramePacer::kPowerPollSeconds));
    EXPECT_EQ(display_.powerQuestions, questions + 10);

    display_.monitorsOn = true;
    EXPECT_EQ(RunFrames(10, 0.001), 10);
}

TEST(RenderSize, IsTheLargestFittedPictureWithinThePixelBudget) {
    struct Case {
        std::vector<platform::PixelSize> windows;
        bool keepAspect;
        long budget;
        int width, height;
    } cases[] = {
        {{{1920, 1080}}, true, 0, 1440, 1080},
        {{{1024, 768}, {1920, 1080}}, true, 0, 1440, 1080},
        {{{2560, 1440}, {1024, 768}}, true, 0, 1920, 1440},
        {{{3840, 2160}}, true, 2'100'000, 1673, 1254},
        {{{1920, 1080}}, false, 0, 1920, 1080},
        {{}, true, 0, 800, 600},
        {{{0, 0}}, true, 0, 800, 600},
    };
    for (const Case& c : cases) {
        engine::DisplayOptions options;
        options.keepAspect = c.keepAspect;
        platform::PixelSize size = engine::RenderSize(options, c.windows, c.budget);
        EXPECT_EQ(size.width, c.width);
        EXPECT_EQ(size.height, c.height);
        if (c.budget) EXPECT_LE(static_cast<long>(size.width) * size.height, c.budget);
    }
}

// On each screen the picture wanders over most of the bars beside it, or a few per cent of
// itself where there are none: it starts in place, moves a pixel at a time and at most a
// pixel a second, never leaves a 16:9 screen sideways, and an hour on stands elsewhere.
TEST(PictureDrift, WandersSlowlyOverTheBarsBesideThePicture) {
    struct Screen {
        platform::PixelSize window;
        glm::ivec2 reach;  // the farthest it goes each way
    };
    const std::vector<Screen> screens = {
        {{1920, 1080}, {216, 32}},  // bars of 240 beside the picture
        {{3840, 2160}, {432, 65}},
        {{1024, 768}, {31, 23}},    // the picture fills the screen
        {{1920, 1200}, {144, 36}},  // 16:10, bars of 160
    };
    for (const Screen& screen : screens) {
        SCOPED_TRACE(screen.window.width);
        engine::WindowRect rect = engine::FitPicture(800, 600, screen.window.width, screen.window.height, true);
        auto offset = [&](double t) {
            engine::GlRect viewport = engine::PictureViewport(rect, screen.window, engine::PictureDrift(t));
            return glm::ivec2(viewport.x - rect.x, rect.y - (screen.window.height - viewport.y - rect.height));
        };
        EXPECT_EQ(offset(0), glm::ivec2(0, 0));
        glm::ivec2 previous = offset(0), lowest = previous, highest = previous;
        glm::dvec2 lastStep{-1, -1}, shortestStay{1e9, 1e9};
        for (double t = 0; t <= 3 * 3600; t += 0.25) {
            glm::ivec2 now = offset(t);
            lowest = glm::min(lowest, now);
            highest = glm::max(highest, now);
            for (int axis = 0; axis < 2; ++axis) {
                if (now[axis] == previous[axis]) continue;
                EXPECT_EQ(std::abs(now[axis] - previous[axis]), 1) << t;
                if (lastStep[axis] >= 0) shortestStay[axis] = std::min(shortestStay[axis], t - lastStep[axis]);
                lastStep[axis] = t;
            }
            previous = now;
        }
        EXPECT_EQ(lowest, -screen.reach);
        EXPECT_EQ(highest, screen.reach);
        EXPECT_GE(shortestStay.x, 1.0);
        EXPECT_GE(shortestStay.y, 1.0);
        if (rect.x > 0) {
            EXPECT_LE(screen.reach.x, rect.x);
        }
        glm::ivec2 anHourOn = offset(3600);
        EXPECT_GE(std::abs(anHourOn.x) + std::abs(anHourOn.y), screen.reach.x / 2);
    }
}

}  // namespace

// Where the window keeps its back buffer, and in the off-screen picture, a frame clears
// and draws only what changes: the saver's own candle scene, drawn so a frame at a time,
// shows exactly what the same frames drawn whole show. Each row draws its frames twice from
// the same start, once whole and once as the saver does; the toolkit's random numbers and
// the clock run alike in both, so every particle and every flicker of the glow is where it
// was. A mark painted into the picture's corner before each frame, far from the pumpkin,
// shows that the frames were indeed drawn in part: a part frame leaves it be.
// The Windows build runs it on Direct3D's WARP road (tests/backends/windows/partial_redraw),
// which draws in part too; there the mark, painted with GL, is left out.
#include <gtest/gtest.h>
#include <glad/gl.h>

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "backends/backends.h"
#include "engine/clock.h"
#include "saver/candle_scene.h"
#include "saver/saver_window.h"
#include "settings/settings_table.h"

#ifndef KELVORA_MARK_WITH_GL
#define KELVORA_MARK_WITH_GL 1
#endif

namespace {

constexpr int kWidth = 800, kHeight = 600;
// The mark, in pixels from the picture's bottom left, and the corner of the picture it
// lands in whatever the picture's scale, in picture pixels.
constexpr int kMarkFrom = 16, kMarkSize = 32, kMarkCorner = 64;
// The candle is lit this long before the first frame, by steps of the particle systems'
// ordinary update (mode 68) alone: its smoke then just climbs out of the lid, and the
// smoke's leading edge is what moves farthest from frame to frame.
constexpr int kLitSteps = 7;
constexpr double kLitStep = 0.25;
constexpr std::int32_t kOrdinaryUpdate = 68;
// Where the pointer stands while the first button turns the pumpkin, in display pixels:
// at the picture's bottom edge the pumpkin tips over by a third of a degree a pixel a
// second, some 24 degrees in a frame of 0.12 s, and its stem swings out of where it was.
constexpr int kTurningX = 0, kTurningY = 590;
// A whole frame differs from the one before in at least this many pixels: the candle's
// light on the pumpkin moved on, not just the flame's and the smoke's sprites.
constexpr int kGlowMovedPixels = kWidth * kHeight / 100;

struct RedrawCase {
    const char* name;
    // The monitor the saver window covers, where the row needs one of that size (its ctest
    // entry starts a display of that size); 0 x 0 for the display the test is given.
    platform::PixelSize monitor;
    // Seconds from each frame to the next. Each is longer than a twentieth of a second, so
    // that the glow moves on between any two frames, however often the meshes take it up.
    std::vector<double> steps;
    // Move mode, with the first button held and the pointer at kTurningX, kTurningY.
    bool turned;
    // Frames drawn in part at least (the mark stayed in them), where the mark is painted.
    int partFramesAtLeast;
    // The display's gamma: any but 1 draws into the off-screen picture.
    float gamma = 1.0f;
};

std::ostream& operator<<(std::ostream& out, const RedrawCase& row) { return out << row.name; }

// A white square near the picture's bottom left corner, drawn past the engine into what it
// draws into between frames (the window or the off-screen picture), at the viewport it
// leaves there: the picture's place, which has bars beside it on a wide screen.
void PaintMark() {
    if (!KELVORA_MARK_WITH_GL) return;
    GLint picture[4];
    glGetIntegerv(GL_VIEWPORT, picture);
    glEnable(GL_SCISSOR_TEST);
    glScissor(picture[0] + kMarkFrom, picture[1] + kMarkFrom, kMarkSize, kMarkSize);
    glClearColor(1, 1, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
}

bool InCorner(int x, int y) { return x < kMarkCorner && y >= kHeight - kMarkCorner; }

bool MarkSeen(const std::vector<std::uint8_t>& picture) {
    for (int y = kHeight - kMarkCorner; y < kHeight; ++y)
        for (int x = 0; x < kMarkCorner; ++x) {
            const std::uint8_t* p = &picture[(static_cast<std::size_t>(y) * kWidth + x) * 4];
            if (p[0] == 255 && p[1] == 255 && p[2] == 255) return true;
        }
    return false;
}

// Pixels outside the mark's corner that differ by more than a step in any channel.
int Differing(const std::vector<std::uint8_t>& a, const std::vector<std::uint8_t>& b) {
    int differing = 0;
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            if (InCorner(x, y)) continue;
            std::size_t i = (static_cast<std::size_t>(y) * kWidth + x) * 4;
            for (int c = 0; c < 3; ++c)
                if (std::abs(a[i + c] - b[i + c]) > 1) {
                    ++differing;
                    break;
                }
        }
    return differing;
}

// The candle as the saver sets it up by default, but brightness 150; in move mode or not.
void BuildScene(saver::SaverState& s, bool turned) {
    using namespace mScreenSaver;
    saver::ReadCandleSettings(s, {},
                              {{CandleHeightSetting.name, "10"},
                               {CandleBrightnessSetting.name, "150"},
                               {CandleColorSetting.name, std::to_string(CandleColorSetting.defaultValue)},
                               {MovePumpkinSetting.name, turned ? FlagOnText : FlagOffText}});
    saver::BuildCandleScene(s, saver::CandleBrightness(s));
}

using FrameSeen = std::function<void(int frame, const std::vector<std::uint8_t>& picture)>;

// The row's frames from the saver's start, each drawn whole or as the saver draws it and
// handed to seen before it is presented; the size of the window they were drawn in.
platform::PixelSize DrawFrames(const RedrawCase& row, bool whole, const FrameSeen& seen) {
    std::unique_ptr<platform::PlatformBackends> backends = platform::InstallPlatformBackends(0, nullptr);
    engine::ManualClock clock{100.0};
    engine::InstalledClock.Install(clock);
    platform::WindowHandle window = saver::SaverWindows().Create([] {});
    saver::SaverWindows().Show(window);
    platform::PixelSize windowSize = platform::Screen().DrawableSize(window);
    {
        saver::SaverState s;
        saver::CreateEngineObjects(s);
        s.Engine->SetSearchDirectory(KELVORA_MEDIA_DIR);
        s.Engine->StartFullscreenDisplay(kWidth, kHeight, 32, True, True, 0, row.gamma, window);
        BuildScene(s, row.turned);
        for (int step = 0; step < kLitSteps; ++step) {
            s.My_Particle1->Update(kOrdinaryUpdate);
            s.My_Particle2->Update(kOrdinaryUpdate);
            clock.now += kLitStep;
        }
        for (std::size_t frame = 0; frame <= row.steps.size(); ++frame) {
            // As the saver's loop does: a compositor that asks for frames is heard asking,
            // and the button held turns the pumpkin by the time the last frame took.
            platform::App().DoEvents();
            if (s.MoveMode) {
                double seconds = s.Engine->ElapsedTime();
                s.Rotation.x = static_cast<float>(s.Rotation.x - seconds * kTurningY / 3.0);
                s.Rotation.y = static_cast<float>(s.Rotation.y - seconds * kTurningX / 3.0);
            }
            PaintMark();
            if (whole) backends->engines.RedrawWhole();
            saver::DrawCandleFrame(s);
            seen(static_cast<int>(frame), backends->engines.ReadFramePixels());
            s.Engine->PresentFrame();
            if (frame < row.steps.size()) clock.now += row.steps[frame];
        }
        s.MatFactory->CleanUp();
        s.Lights->CleanUp();
        s.Engine->ShutDown();
    }
    saver::SaverWindows().Destroy(window);
    engine::InstalledClock.Clear();
    return windowSize;
}

class PartialRedraw : public testing::TestWithParam<RedrawCase> {};

TEST_P(PartialRedraw, FramesDrawnInPartShowWhatTheSameFramesDrawnWholeShow) {
    const RedrawCase& row = GetParam();
    std::vector<std::vector<std::uint8_t>> wholeFrames;
    platform::PixelSize monitor = DrawFrames(row, true, [&](int frame, const std::vector<std::uint8_t>& picture) {
        EXPECT_FALSE(MarkSeen(picture)) << "frame " << frame;
        if (frame > 0) {
            EXPECT_GE(Differing(wholeFrames.back(), picture), kGlowMovedPixels) << "frame " << frame;
        }
        wholeFrames.push_back(picture);
    });
    if (row.monitor.width > 0) {
        ASSERT_EQ(monitor.width, row.monitor.width) << "run on a display of the row's size (see CMakeLists.txt)";
        ASSERT_EQ(monitor.height, row.monitor.height) << "run on a display of the row's size (see CMakeLists.txt)";
    }
    int partFrames = 0;
    DrawFrames(row, false, [&](int frame, const std::vector<std::uint8_t>& picture) {
        if (MarkSeen(picture)) ++partFrames;
        EXPECT_EQ(Differing(picture, wholeFrames[frame]), 0) << "pixels of frame " << frame << " unlike it drawn whole";
    });
    if (KELVORA_MARK_WITH_GL) {
        EXPECT_GE(partFrames, row.partFramesAtLeast);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PartialRedraw,
    testing::Values(
        // The candle burning at a steady 15 frames a second.
        RedrawCase{"SteadyCandle", {}, std::vector<double>(9, 1.0 / 15), false, 7},
        // The same, drawn into the off-screen picture and shown through a gamma.
        RedrawCase{"OffScreenWithAGamma", {}, std::vector<double>(9, 1.0 / 15), false, 7, 1.25f},
        // The pumpkin turned by the mouse: its pose changes every frame.
        RedrawCase{"TurnedPumpkin", {}, std::vector<double>(7, 0.12), true, 0},
        // Frames at uneven times, and gaps longer than a quarter of a second (the window
        // was hidden, the machine busy) over which the particles leap.
        RedrawCase{"UnevenClockWithLongGaps", {}, {0.1, 0.3, 0.07, 0.35, 0.12, 0.3, 0.06}, false, 3},
        // A picture 1080 pixels high at 4 to 8 frames a second: the margin round what
        // moves, 2 % of the height, is 22 pixels there, well above its least of 8; a
        // frame of 0.24 s outruns it.
        RedrawCase{"At1920x1080", {1920, 1080}, {0.12, 0.19, 0.16, 0.24, 0.12, 0.19, 0.16}, false, 3},
        // Drawn off screen at a software renderer's budget and scaled up onto the monitor.
        RedrawCase{"ScaledUpAt3840x2160", {3840, 2160}, std::vector<double>(4, 1.0 / 15), false, 3}),
    [](const testing::TestParamInfo<RedrawCase>& info) { return std::string(info.param.name); });

}  // namespace

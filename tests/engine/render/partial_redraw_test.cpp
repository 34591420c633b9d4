// Where the window keeps its back buffer, a frame clears and draws only what changes: the
// saver's own candle scene, drawn so a frame at a time, shows exactly what the same frame
// drawn whole shows. A mark painted into the picture's corner between frames, far from the
// pumpkin, shows that the frames were indeed drawn in part: a part frame leaves it be.
// Drawn straight into the window, and (with a gamma) into the off-screen picture.
// The Windows build runs it on Direct3D's WARP road (tests/backends/windows/partial_redraw),
// which draws in part too; there the mark, painted with GL, is left out.
#include <gtest/gtest.h>
#include <glad/gl.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "backends/backends.h"
#include "engine/clock.h"
#include "saver/candle_scene.h"
#include "saver/saver_window.h"

#ifndef KELVORA_MARK_WITH_GL
#define KELVORA_MARK_WITH_GL 1
#endif

namespace {

constexpr int kWidth = 800, kHeight = 600;
// The mark, in window pixels from the picture's bottom left, and the corner of the picture
// it lands in whatever the picture's scale, in picture pixels.
constexpr int kMarkFrom = 16, kMarkSize = 32, kMarkCorner = 64;

// The display's gamma: 1 draws straight into the window, any other into the off-screen
// picture.
class PartialRedraw : public testing::TestWithParam<float> {
protected:
    void SetUp() override {
        backends_ = platform::InstallPlatformBackends(0, nullptr);
        engine::InstalledClock.Install(clock_);
    }
    void TearDown() override { engine::InstalledClock.Clear(); }

    engine::ManualClock clock_{100.0};
    std::unique_ptr<platform::PlatformBackends> backends_;
};

// A white square near the picture's bottom left corner, drawn past the engine: the
// framebuffer and viewport the display leaves after a frame are the picture's (in the
// window, its place there, which has bars beside it on a wide screen).
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

TEST_P(PartialRedraw, FramesDrawnInPartShowWhatTheSameFramesDrawnWholeShow) {
    platform::WindowHandle window = saver::SaverWindows().Create([] {});
    saver::SaverWindows().Show(window);
    int partFrames = 0, frames = 45;
    {
        saver::SaverState s;
        saver::CreateEngineObjects(s);
        s.Engine->SetSearchDirectory(KELVORA_MEDIA_DIR);
        s.Engine->StartFullscreenDisplay(kWidth, kHeight, 32, True, True, 0, GetParam(), window);
        saver::SetFlameHeight(s, 10);
        saver::BuildCandleScene(s, 150);
        for (int frame = 0; frame < frames; ++frame) {
            // As the saver's loop does: a compositor that asks for frames is heard asking.
            platform::App().DoEvents();
            PaintMark();
            saver::DrawCandleFrame(s);
            std::vector<std::uint8_t> inPart = backends_->engines.ReadFramePixels();
            if (MarkSeen(inPart)) ++partFrames;
            // The same scene again, every particle where it was, drawn whole.
            backends_->engines.RedrawWhole();
            s.Engine->ClearFrame(0);
            s.Scene->RenderAllMeshes(True);
            s.My_Particle1->Render();
            s.My_Particle2->Render();
            std::vector<std::uint8_t> whole = backends_->engines.ReadFramePixels();
            ASSERT_FALSE(MarkSeen(whole)) << "frame " << frame;
            ASSERT_EQ(Differing(inPart, whole), 0) << "frame " << frame;
            s.Engine->PresentFrame();
            clock_.now += 1.0 / 30;
        }
        s.MatFactory->CleanUp();
        s.Lights->CleanUp();
        s.Engine->ShutDown();
    }
    saver::SaverWindows().Destroy(window);
    // The first frame and any after a change of pose or lights are drawn whole.
    if (KELVORA_MARK_WITH_GL) EXPECT_GE(partFrames, frames - 5);
}

INSTANTIATE_TEST_SUITE_P(Gammas, PartialRedraw, testing::Values(1.0f, 1.25f));

}  // namespace

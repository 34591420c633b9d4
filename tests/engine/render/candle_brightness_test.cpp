// Renders the saver's own candle scene (saver/candle_scene.cpp, on our engine) at three
// brightness settings, the candle light's range, and checks that the pumpkin goes from
// dim to bright as a whole as the range grows. The pictures are saved
// as brightness_<range>.png in the build tree.
#include <gtest/gtest.h>

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include <memory>
#include <string>
#include <vector>

#include "backends/backends.h"
#include "engine/clock.h"
#include "saver/candle_scene.h"
#include "saver/saver_window.h"

namespace {

constexpr int kWidth = 800, kHeight = 600;
// The setting's default candle: height 10, colour "145151".
constexpr double kCandleHeight = 10;
constexpr saver::CandleRgb kCandleColour{1.0f, 54 / 255.0f, 2 / 255.0f};

class CandleBrightness : public testing::Test {
protected:
    void SetUp() override {
        backends_ = platform::InstallPlatformBackends(0, nullptr);
        engine::InstalledClock.Install(clock_);
    }
    void TearDown() override { engine::InstalledClock.Clear(); }

    // The saver's set-up and one second of its frame loop at 30 frames a second; the
    // last frame drawn.
    std::vector<std::uint8_t> Render(float brightness) {
        platform::WindowHandle window = saver::SaverWindows().Create([] {});
        saver::SaverWindows().Show(window);
        std::vector<std::uint8_t> frame;
        {
            saver::SaverState s;
            saver::CreateEngineObjects(s);
            s.Engine->SetSearchDirectory(KELVORA_MEDIA_DIR);
            s.Engine->StartFullscreenDisplay(kWidth, kHeight, 32, True, True, 0, 1.0f, window);
            saver::SetFlameHeight(s, kCandleHeight);
            s.CandleColor = kCandleColour;
            saver::BuildCandleScene(s, brightness);
            for (int step = 0; step < 30; ++step) {
                saver::DrawCandleFrame(s);
                s.Engine->PresentFrame();
                clock_.now += 1.0 / 30;
            }
            saver::DrawCandleFrame(s);
            frame = backends_->engines.ReadFramePixels();
            s.MatFactory->CleanUp();
            s.Lights->CleanUp();
            s.Engine->ShutDown();
        }
        saver::SaverWindows().Destroy(window);
        std::string name = std::string(KELVORA_BUILD_DIR) + "/brightness_" + std::to_string(int(brightness)) + ".png";
        stbi_write_png(name.c_str(), kWidth, kHeight, 4, frame.data(), kWidth * 4);
        return frame;
    }

    engine::ManualClock clock_{100.0};
    std::unique_ptr<platform::PlatformBackends> backends_;
};

bool Black(const std::uint8_t* p) { return p[0] < 8 && p[1] < 8 && p[2] < 8; }

// Each step up the setting makes the pumpkin clearly brighter as a whole: the top under
// the lamp and, through the openings, its inside, which the candle lights the more
// brightly the farther it reaches. The pumpkin is wherever any of the three pictures is
// not black, so an opening left dark still counts as pumpkin; its brightness is the mean
// of the three colours over it.
TEST_F(CandleBrightness, ThePumpkinBrightensWithTheCandlesRange) {
    const std::vector<std::vector<std::uint8_t>> pictures{Render(1), Render(150), Render(300)};
    int pumpkin = 0;
    std::vector<double> light(pictures.size(), 0);
    for (std::size_t i = 0; i < pictures[0].size(); i += 4) {
        bool seen = false;
        for (const auto& picture : pictures) seen = seen || !Black(&picture[i]);
        if (!seen) continue;
        ++pumpkin;
        for (std::size_t k = 0; k < pictures.size(); ++k)
            light[k] += (pictures[k][i] + pictures[k][i + 1] + pictures[k][i + 2]) / 3.0;
    }
    ASSERT_GT(pumpkin, kWidth * kHeight / 25) << "too little pumpkin in sight";
    const double dim = light[0] / pumpkin, middle = light[1] / pumpkin, bright = light[2] / pumpkin;
    EXPECT_GT(middle, dim * 1.08) << dim << " then " << middle;
    EXPECT_GT(bright, middle * 1.04) << middle << " then " << bright;
}

}  // namespace

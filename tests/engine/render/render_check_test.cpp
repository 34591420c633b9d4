// Renders the saver's own scene (saver/candle_scene, with the media folder's settings
// file) through our engine after one second of simulated time, saves it as scene.png in
// the build tree and checks what a viewer must see: black around, an orange pumpkin,
// the flame bright in its openings.
#include <gtest/gtest.h>

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include <algorithm>

#include "backends/backends.h"
#include "engine/clock.h"
#include "engine/display.h"
#include "engine/gl_engine_objects.h"
#include "engine/picture.h"
#include "saver/candle_scene.h"
#include "seams/display.h"

namespace {

constexpr int kWidth = 800, kHeight = 600;

struct Rgb {
    int r, g, b;
};

class Picture {
public:
    explicit Picture(std::vector<std::uint8_t> rgba) : rgba_(std::move(rgba)) {}
    Rgb At(int x, int y) const {
        const std::uint8_t* p = &rgba_[(static_cast<std::size_t>(y) * kWidth + x) * 4];
        return {p[0], p[1], p[2]};
    }
    template <typename Test>
    std::vector<std::pair<int, int>> Where(Test test) const {
        std::vector<std::pair<int, int>> found;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                if (test(At(x, y))) found.emplace_back(x, y);
        return found;
    }
    const std::uint8_t* Data() const { return rgba_.data(); }

private:
    std::vector<std::uint8_t> rgba_;
};

bool Black(Rgb c) { return c.r < 8 && c.g < 8 && c.b < 8; }
// The pumpkin's lit skin: clearly red-orange, green well below red, hardly any blue.
bool PumpkinOrange(Rgb c) { return c.r >= 90 && c.g * 10 >= c.r && c.g * 10 <= c.r * 7 && c.b * 3 < c.r; }
// The flame where many particles overlap, or the inside it lights: red saturated, green
// well up, little blue (unlike a white highlight on the skin).
bool FlameBright(Rgb c) { return c.r >= 250 && c.g >= 60 && c.b * 2 < c.g; }

class CandleSceneRender : public testing::Test {
protected:
    void SetUp() override {
        backends_ = platform::InstallPlatformBackends(0, nullptr);
        window_ = saver::SaverWindows().Create([] {});
        saver::SaverWindows().Show(window_);
        engine::InstalledClock.Install(clock_);
        saver::SetUpCandleScene(scene_, KELVORA_MEDIA_DIR, {KELVORA_MEDIA_DIR "/kelvora.ini"}, window_);
    }
    void TearDown() override {
        saver::ReleaseEngineObjects(scene_);
        engine::InstalledClock.Clear();
        saver::SaverWindows().Destroy(window_);
    }
    // Runs the frame loop for a second at 30 frames a second and returns the last frame.
    Picture RunOneSecond() {
        for (int frame = 0; frame < 30; ++frame) {
            saver::DrawCandleFrame(scene_);
            scene_.Engine->PresentFrame();
            clock_.now += 1.0 / 30;
        }
        saver::DrawCandleFrame(scene_);
        return Picture(engines().ReadFramePixels());
    }
    // The meshes alone, drawn last, as the frame loop draws them before the particles.
    void DrawMeshesOnly() {
        scene_.Engine->ClearFrame(0);
        scene_.Scene->RenderAllMeshes(True);
    }
    engine::GlEngineObjects& engines() { return backends_->engines; }

    engine::ManualClock clock_{100.0};
    std::unique_ptr<platform::PlatformBackends> backends_;
    platform::WindowHandle window_ = 0;
    saver::SaverState scene_;
};

TEST_F(CandleSceneRender, ShowsALitCarvedPumpkinWithTheFlameInItsOpeningsOnBlack) {
    Picture picture = RunOneSecond();
    ASSERT_TRUE(stbi_write_png(KELVORA_SCENE_PNG, kWidth, kHeight, 4, picture.Data(), kWidth * 4));

    // Black around: the frame's edge rows and columns.
    for (int x = 0; x < kWidth; x += 7) {
        EXPECT_TRUE(Black(picture.At(x, 0))) << "top edge at x " << x;
        EXPECT_TRUE(Black(picture.At(x, kHeight - 1))) << "bottom edge at x " << x;
    }
    for (int y = 0; y < kHeight; y += 7) {
        EXPECT_TRUE(Black(picture.At(0, y))) << "left edge at y " << y;
        EXPECT_TRUE(Black(picture.At(kWidth - 1, y))) << "right edge at y " << y;
    }

    // An orange body of a good size in the middle of the picture.
    auto orange = picture.Where(PumpkinOrange);
    ASSERT_GT(orange.size(), kWidth * kHeight / 25u) << "too little pumpkin orange";
    auto [left, right] = std::minmax_element(orange.begin(), orange.end());
    int top = kHeight, bottom = 0;
    for (auto [x, y] : orange) top = std::min(top, y), bottom = std::max(bottom, y);
    EXPECT_LT(left->first, kWidth / 2);
    EXPECT_GT(right->first, kWidth / 2);
    EXPECT_LT(top, kHeight / 2);
    EXPECT_GT(bottom, kHeight / 2);

    // Bright flame, seen only within the pumpkin's outline: through its openings.
    auto bright = picture.Where(FlameBright);
    EXPECT_GT(bright.size(), 40u) << "no bright flame in sight";
    for (auto [x, y] : bright) {
        ASSERT_GE(x, left->first);
        ASSERT_LE(x, right->first);
        ASSERT_GE(y, top);
        ASSERT_LE(y, bottom);
    }
}

TEST_F(CandleSceneRender, BeforeTheFirstFlameIsBornNothingGlows) {
    saver::DrawCandleFrame(scene_);
    Picture firstFrame(engines().ReadFramePixels());
    EXPECT_TRUE(firstFrame.Where(FlameBright).empty());
    EXPECT_FALSE(firstFrame.Where(PumpkinOrange).empty());
}

}  // namespace

namespace {

TEST_F(CandleSceneRender, DrawsTheLoadingPictureAsItIsWhereTheSetUpPutsIt) {
    scene_.Engine->ClearFrame(0);
    scene_.TexFactory->LoadTexture(std::string(KELVORA_MEDIA_DIR) + "/loading.jpg", "Loading", -1, -1, 0, True, True);
    scene_.Draw2D->DrawTexture(engines().Globals().GetTextureId("Loading"), 272, 268, 528, 332, -1, -2, -2, -2, 0, 0,
                               1, 1);
    Picture frame(engines().ReadFramePixels());
    engine::Picture loading = engine::ReadPictureFile(std::string(KELVORA_MEDIA_DIR) + "/loading.jpg", 4096);
    ASSERT_EQ(loading.width, 256);
    ASSERT_EQ(loading.height, 64);
    // The frame is drawn at the monitor's size and brought to 800 x 600 for reading, which
    // blurs the lettering's sharpest pixels: the picture is compared as a whole (its mean
    // colour, and how far each pixel strays on average), and its edges are looked for a
    // pixel either side of where they were put.
    double meanDrawn[3] = {}, meanExpected[3] = {}, stray[3] = {};
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 256; ++x) {
            Rgb drawn = frame.At(272 + x, 268 + y);
            const std::uint8_t* expected = &loading.rgba[(y * 256 + x) * 4];
            int channels[3] = {drawn.r, drawn.g, drawn.b};
            for (int c = 0; c < 3; ++c) {
                meanDrawn[c] += channels[c] / (256.0 * 64);
                meanExpected[c] += expected[c] / (256.0 * 64);
                stray[c] += std::abs(channels[c] - expected[c]) / (256.0 * 64);
            }
        }
    for (int c = 0; c < 3; ++c) {
        EXPECT_NEAR(meanDrawn[c], meanExpected[c], 3) << "channel " << c;
        EXPECT_LT(stray[c], 12) << "channel " << c;
    }
    EXPECT_TRUE(Black(frame.At(270, 300)));
    EXPECT_TRUE(Black(frame.At(529, 300)));
    EXPECT_TRUE(Black(frame.At(400, 266)));
    EXPECT_TRUE(Black(frame.At(400, 333)));
}

}  // namespace

namespace {

// What reaches the window: the picture scaled with its aspect kept, centre to centre,
// whatever was drawn last (here the meshes, which leave one-sided drawing on).
TEST_F(CandleSceneRender, PresentsThePictureScaledOntoTheWindow) {
    RunOneSecond();
    DrawMeshesOnly();
    Picture frame(engines().ReadFramePixels());
    int width = 0, height = 0;
    std::vector<std::uint8_t> window = engines().PresentAndReadWindow(width, height);
    engine::WindowRect rect = engine::FitPicture(kWidth, kHeight, width, height, true);
    auto windowAt = [&](int x, int y) {
        const std::uint8_t* p = &window[(static_cast<std::size_t>(y) * width + x) * 4];
        return Rgb{p[0], p[1], p[2]};
    };
    int matched = 0, orange = 0;
    for (int y = 150; y < 450; y += 10)
        for (int x = 200; x < 600; x += 10) {
            Rgb inPicture = frame.At(x, y);
            Rgb shown = windowAt(rect.x + (2 * x + 1) * rect.width / (2 * kWidth),
                                 rect.y + (2 * y + 1) * rect.height / (2 * kHeight));
            if (std::abs(inPicture.r - shown.r) < 40 && std::abs(inPicture.g - shown.g) < 40 &&
                std::abs(inPicture.b - shown.b) < 40)
                ++matched;
            if (PumpkinOrange(shown)) ++orange;
        }
    EXPECT_GT(matched, 30 * 40 * 9 / 10);
    EXPECT_GT(orange, 200);
    EXPECT_TRUE(Black(windowAt(0, 0)));
    EXPECT_TRUE(Black(windowAt(width - 1, height - 1)));
}

}  // namespace

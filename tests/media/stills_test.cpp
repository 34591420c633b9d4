// The preview still and the dialog banner are renders of the scene (tools/stills), which
// change with the GL driver, so they are checked for their form and for what a viewer
// must see rather than byte for byte: black around, the lit pumpkin in the middle, the
// product's name in red.
#include <gtest/gtest.h>

#include <stb/stb_image.h>

#include <functional>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>

#include "engine/media_file.h"

namespace {

struct Rgb {
    int r, g, b;
};

bool Black(Rgb c) { return c.r < 8 && c.g < 8 && c.b < 8; }
// The lit pumpkin: its skin (salmon where the white lights catch it) and the orange
// glow of its openings; red leads, green and blue stay well below it, yet green is
// never as low as in the name's red.
bool PumpkinLit(Rgb c) { return c.r >= 90 && c.g * 10 >= c.r && c.g * 10 <= c.r * 8 && c.b * 2 < c.r; }
// The name's red and its smoothed edges on black: red with almost no green or blue.
bool NameRed(Rgb c) { return c.r >= 100 && c.g * 9 < c.r && c.b * 9 < c.r; }

class MediaPicture {
public:
    explicit MediaPicture(const char* file) : pixels_(nullptr, stbi_image_free) {
        const std::string path = std::string(KELVORA_MEDIA_FOLDER "/") + file;
        pixels_.reset(stbi_load(path.c_str(), &width, &height, &channels, 3));
        if (!pixels_) throw std::runtime_error("cannot read " + path);
    }
    Rgb At(int x, int y) const {
        const unsigned char* p = pixels_.get() + 3 * (static_cast<std::size_t>(y) * width + x);
        return {p[0], p[1], p[2]};
    }
    int Count(int left, int top, int right, int bottom, const std::function<bool(Rgb)>& test) const {
        int found = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = left; x < right; ++x) found += test(At(x, y));
        return found;
    }
    // Distinct colours among the pixels that pass the test.
    std::size_t Tones(const std::function<bool(Rgb)>& test) const {
        std::set<int> tones;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (Rgb c = At(x, y); test(c)) tones.insert(c.r << 16 | c.g << 8 | c.b);
        return tones.size();
    }
    void ExpectBlackCorners(int size) const {
        for (auto [x0, y0] : {std::pair{0, 0}, {width - size, 0}, {0, height - size}, {width - size, height - size}})
            EXPECT_EQ(Count(x0, y0, x0 + size, y0 + size, Black), size * size) << "corner at " << x0 << "," << y0;
    }

    int width = 0, height = 0, channels = 0;

private:
    std::unique_ptr<unsigned char, void (*)(void*)> pixels_;
};

TEST(PreviewStill, IsALossless8BitRgbPngOf151By119) {
    const auto bytes = engine::ReadMediaFile(KELVORA_MEDIA_FOLDER "/preview_still.png",
                                             engine::kMaxPictureBytes, "picture");
    ASSERT_GT(bytes.size(), 26u);
    EXPECT_EQ(std::string(bytes.begin() + 1, bytes.begin() + 4), "PNG");
    const MediaPicture still("preview_still.png");
    EXPECT_EQ(still.width, 151);
    EXPECT_EQ(still.height, 119);
    EXPECT_EQ(bytes[24], 8) << "bits a component";
    EXPECT_EQ(bytes[25], 2) << "colour type: RGB without alpha";
}

TEST(PreviewStill, ShowsTheLitPumpkinFillingTheMiddleOnBlack) {
    const MediaPicture still("preview_still.png");
    still.ExpectBlackCorners(3);
    // The middle half of the picture is mostly pumpkin.
    const int middle = still.Count(38, 30, 113, 89, PumpkinLit);
    EXPECT_GT(middle, 75 * 59 / 3) << "too little pumpkin in the middle";
    // It reaches out towards the left and right edges.
    EXPECT_GT(still.Count(0, 30, 25, 89, PumpkinLit), 0);
    EXPECT_GT(still.Count(126, 30, 151, 89, PumpkinLit), 0);
}

// Lit by the scene's lights, the skin is shaded in a great many tones; a flat drawing of
// a pumpkin has a few hundred at most.
TEST(PreviewStill, IsARenderShadedByTheLights) {
    EXPECT_GT(MediaPicture("preview_still.png").Tones(PumpkinLit), 1500u);
}

TEST(DialogBanner, IsARenderShadedByTheLights) {
    EXPECT_GT(MediaPicture("dialog_banner.png").Tones(PumpkinLit), 1000u);
}

TEST(PreviewStill, CarriesTheNameInRedInItsUpperRightCorner) {
    const MediaPicture still("preview_still.png");
    EXPECT_GT(still.Count(90, 0, 151, 18, NameRed), 40);
    EXPECT_EQ(still.Count(0, 0, 60, 18, NameRed), 0) << "red where the name is not";
}

TEST(DialogBanner, IsAnOpaque198By121Png) {
    const std::string path = KELVORA_MEDIA_FOLDER "/dialog_banner.png";
    int width = 0, height = 0, channels = 0;
    std::unique_ptr<unsigned char, void (*)(void*)> rgba(stbi_load(path.c_str(), &width, &height, &channels, 4),
                                                         stbi_image_free);
    ASSERT_TRUE(rgba) << path;
    EXPECT_EQ(width, 198);
    EXPECT_EQ(height, 121);
    int seeThrough = 0;
    for (int i = 0; i < width * height; ++i) seeThrough += rgba.get()[4 * i + 3] != 255;
    EXPECT_EQ(seeThrough, 0);
}

TEST(DialogBanner, ShowsTheLitPumpkinOnTheLeftAndTheNameInRedOnTheRight) {
    const MediaPicture banner("dialog_banner.png");
    banner.ExpectBlackCorners(3);
    EXPECT_GT(banner.Count(20, 35, 80, 95, PumpkinLit), 60 * 60 / 3) << "too little pumpkin on the left";
    EXPECT_EQ(banner.Count(100, 0, 198, 121, PumpkinLit), 0) << "pumpkin colours beside the pumpkin";
    EXPECT_GT(banner.Count(100, 40, 198, 80, NameRed), 150) << "no red name on the right";
    EXPECT_EQ(banner.Count(0, 0, 100, 121, NameRed), 0) << "the name's red on the pumpkin's side";
}

}  // namespace

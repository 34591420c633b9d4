// The committed pictures have the sizes and forms their users rely on.
#include <gtest/gtest.h>

#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>

#include <array>
#include <memory>
#include <string>

#include "engine/media_file.h"

namespace {

struct PictureForm {
    const char* file;
    int width, height, channels;
};

class CommittedPicture : public ::testing::TestWithParam<PictureForm> {};

TEST_P(CommittedPicture, HasItsSizeAndChannels) {
    const PictureForm& form = GetParam();
    const std::string path = std::string(KELVORA_MEDIA_FOLDER "/") + form.file;
    int width = 0, height = 0, channels = 0;
    ASSERT_TRUE(stbi_info(path.c_str(), &width, &height, &channels)) << path;
    EXPECT_EQ(width, form.width);
    EXPECT_EQ(height, form.height);
    EXPECT_EQ(channels, form.channels);
}

INSTANTIATE_TEST_SUITE_P(Media, CommittedPicture,
                         ::testing::Values(PictureForm{"loading.jpg", 256, 64, 3},
                                           PictureForm{"smoke.bmp", 64, 64, 3},
                                           PictureForm{"tell_friend.png", 103, 19, 4},
                                           PictureForm{"website.png", 86, 17, 4},
                                           PictureForm{"kelvora_icon.png", 32, 32, 4},
                                           PictureForm{"icons/kelvora_16.png", 16, 16, 4},
                                           PictureForm{"icons/kelvora_32.png", 32, 32, 4},
                                           PictureForm{"icons/kelvora_48.png", 48, 48, 4},
                                           PictureForm{"icons/kelvora_64.png", 64, 64, 4},
                                           PictureForm{"icons/kelvora_128.png", 128, 128, 4},
                                           PictureForm{"icons/kelvora_256.png", 256, 256, 4}),
                         [](const auto& info) {
                             std::string name = info.param.file;
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             return name;
                         });

// The engine keys out opaque black: the puff must fade to exactly black at its rim, so no
// square edge shows, and be bright in the middle.
TEST(SmokeTexture, IsABrightPuffFadingToPureBlack) {
    int width, height, channels;
    std::unique_ptr<unsigned char, void (*)(void*)> pixels(
        stbi_load(KELVORA_MEDIA_FOLDER "/smoke.bmp", &width, &height, &channels, 3), stbi_image_free);
    ASSERT_TRUE(pixels);
    auto at = [&](int x, int y) { return pixels.get() + 3 * (y * width + x); };
    for (int i = 0; i < width; ++i)
        for (const unsigned char* p : {at(i, 0), at(i, height - 1), at(0, i), at(width - 1, i)})
            ASSERT_EQ(p[0] | p[1] | p[2], 0) << "rim pixel " << i;
    EXPECT_GT(at(width / 2, height / 2)[0], 180);
}

// Windows picks the icon's image by size: 16, 32 and 48 pixels as 32-bit bitmaps with alpha
// (their header, pixels and mask where the directory says), and 256 as a PNG.
TEST(MonitorIcon, HoldsFourFullColourSizes) {
    const auto bytes = engine::ReadMediaFile(KELVORA_MEDIA_FOLDER "/kelvora.ico",
                                             engine::kMaxPictureBytes, "picture");
    auto u16 = [&](std::size_t at) { return bytes.at(at) | bytes.at(at + 1) << 8; };
    auto u32 = [&](std::size_t at) { return std::uint32_t(u16(at)) | std::uint32_t(u16(at + 2)) << 16; };
    EXPECT_EQ(u16(2), 1);  // an icon
    ASSERT_EQ(u16(4), 4);
    std::uint32_t end = 6 + 4 * 16;
    for (int i = 0; i < 4; ++i) {
        const std::size_t entry = 6 + 16 * i;
        const int side = std::array{16, 32, 48, 256}[i];
        SCOPED_TRACE(side);
        EXPECT_EQ(bytes.at(entry), side % 256);
        EXPECT_EQ(bytes.at(entry + 1), side % 256);
        EXPECT_EQ(u16(entry + 6), 32);  // bits a pixel
        const std::uint32_t size = u32(entry + 8), offset = u32(entry + 12);
        EXPECT_EQ(offset, end);
        end = offset + size;
        ASSERT_LE(end, bytes.size());
        if (side == 256) {
            EXPECT_EQ(std::string(bytes.begin() + offset + 1, bytes.begin() + offset + 4), "PNG");
            continue;
        }
        EXPECT_EQ(u32(offset), 40u);                    // BITMAPINFOHEADER
        EXPECT_EQ(u32(offset + 8), 2u * side);          // colour rows and mask rows
        EXPECT_EQ(u16(offset + 14), 32);                // bits a pixel
        const std::uint32_t maskRow = (side + 31) / 32 * 4;
        EXPECT_EQ(size, 40u + side * side * 4 + maskRow * side);
    }
    EXPECT_EQ(end, bytes.size());
}

}  // namespace

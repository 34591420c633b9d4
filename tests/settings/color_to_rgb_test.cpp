// ColorToRgb: the stored 0x00BBGGRR decimal text as three singles, bit for bit, and the
// fixed orange for every text that is not a whole number in the 32-bit range.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>

#include "settings/color.h"

namespace {

std::uint32_t Bits(float value) { return std::bit_cast<std::uint32_t>(value); }

TEST(ColorToRgb, SplitsTheLowThreeBytesIntoRedGreenAndBlue) {
    struct Case {
        const char* text;
        float red;
        float green;
        float blue;
    } cases[] = {
        {"145151", 1.0f, 54.0f / 255.0f, 2.0f / 255.0f},
        {"0", 0.0f, 0.0f, 0.0f},
        {"16777215", 1.0f, 1.0f, 1.0f},
        {"255", 1.0f, 0.0f, 0.0f},
        {"16777216", 0.0f, 0.0f, 0.0f},
        {"-2147483633", 15.0f / 255.0f, 0.0f, 0.0f},
    };
    for (const auto& c : cases) {
        float red = -1, green = -1, blue = -1;
        mScreenSaver::ColorToRgb(c.text, red, green, blue);
        EXPECT_EQ(Bits(red), Bits(c.red)) << c.text;
        EXPECT_EQ(Bits(green), Bits(c.green)) << c.text;
        EXPECT_EQ(Bits(blue), Bits(c.blue)) << c.text;
    }
}

TEST(ColorToRgb, MatchesThePublishedValuesOfTheDefaultColour) {
    float red = 0, green = 0, blue = 0;
    mScreenSaver::ColorToRgb("145151", red, green, blue);
    EXPECT_EQ(red, 1.0f);
    EXPECT_EQ(green, 0.21176471f);
    EXPECT_EQ(blue, 0.007843138f);
}

TEST(ColorToRgb, FallsBackToTheFixedOrangeOverwritingEveryComponent) {
    for (const char* text : {"", "abc", "99999999999", "2147483648", "1x"}) {
        float red = 0.5f, green = 0.5f, blue = 0.5f;
        mScreenSaver::ColorToRgb(text, red, green, blue);
        EXPECT_EQ(Bits(red), 0x3F800000u) << '"' << text << '"';
        EXPECT_EQ(Bits(green), 0x3EA0A0A1u) << '"' << text << '"';
        EXPECT_EQ(Bits(blue), 0x3DA0A0A2u) << '"' << text << '"';
    }
}

}  // namespace

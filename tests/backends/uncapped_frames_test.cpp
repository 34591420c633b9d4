// KELVORA_UNCAPPED lifts the refresh-rate cap only when it says so: unset, empty and "0"
// leave the running saver capped, so that a stray empty export never changes the product.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "backends/uncapped_frames.h"

namespace {

TEST(UncappedFrames, OnlyAValueOtherThanZeroLiftsTheCap) {
    unsetenv("KELVORA_UNCAPPED");
    EXPECT_FALSE(platform::FramesUncapped());
    for (const char* value : {"", "0"}) {
        setenv("KELVORA_UNCAPPED", value, 1);
        EXPECT_FALSE(platform::FramesUncapped()) << '"' << value << '"';
    }
    for (const char* value : {"1", "yes"}) {
        setenv("KELVORA_UNCAPPED", value, 1);
        EXPECT_TRUE(platform::FramesUncapped()) << '"' << value << '"';
    }
    unsetenv("KELVORA_UNCAPPED");
    EXPECT_TRUE(std::isinf(platform::kUncappedRefreshHz));
}

}  // namespace

// A reused buffer is given every part changed since the frame it holds, as one rectangle,
// and the whole picture when it holds nothing or a frame no longer remembered.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "backends/linux/buffer_damage.h"

namespace {

bool Same(const platform::PixelArea& a, const platform::PixelArea& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

TEST(BufferDamage, AReusedBufferLacksEveryPartChangedSinceItsFrame) {
    struct Case {
        const char* what;
        std::vector<platform::PixelArea> changes;
        std::uint64_t content;
        platform::PixelArea missing;
    };
    const Case cases[] = {
        {"a new buffer", {{10, 10, 5, 5}}, 0, {0, 0, 100, 50}},
        {"the latest frame", {{10, 10, 5, 5}}, 1, {0, 0, 0, 0}},
        {"one frame behind", {{10, 10, 5, 5}, {20, 30, 4, 2}}, 1, {20, 30, 4, 2}},
        {"two frames behind", {{10, 10, 5, 5}, {20, 30, 4, 2}, {2, 40, 3, 3}}, 1, {2, 30, 22, 13}},
        {"a part past the edge", {{0, 0, 1, 1}, {90, 45, 20, 20}}, 1, {90, 45, 10, 5}},
        {"an empty part between", {{0, 0, 1, 1}, {0, 0, 0, 0}, {5, 5, 1, 1}}, 1, {5, 5, 1, 1}},
        {"a frame forgotten", std::vector<platform::PixelArea>(10, {1, 1, 1, 1}), 1, {0, 0, 100, 50}},
        {"the oldest remembered", std::vector<platform::PixelArea>(10, {1, 1, 1, 1}), 2, {1, 1, 1, 1}},
    };
    for (const Case& c : cases) {
        platform::BufferDamage damage({100, 50});
        for (const platform::PixelArea& part : c.changes) damage.FrameChanged(part);
        platform::PixelArea missing = damage.Missing(c.content);
        EXPECT_TRUE(Same(missing, c.missing)) << c.what << ": " << missing.x << "," << missing.y << " "
                                              << missing.width << "x" << missing.height;
    }
}

}  // namespace

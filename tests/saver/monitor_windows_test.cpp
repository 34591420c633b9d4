// A saver window's windows as every window system makes them: all or none, the primary
// shown last, and the window the cursor rests over.
#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "saver/monitor_windows.h"

namespace {

TEST(MonitorWindows, OneFailedWindowTakesTheOthersAwayAgain) {
    struct Case {
        const char* name;
        int failingMonitor;  // -1: none fails
        std::vector<int> made, destroyed;
    } cases[] = {
        {"every window made", -1, {10, 11, 12}, {}},
        {"the primary's fails", 0, {}, {}},
        {"the last one fails", 2, {}, {10, 11}},
    };
    for (const Case& c : cases) {
        std::vector<int> destroyed;
        auto make = [&](const int& monitor) {
            if (monitor == c.failingMonitor) throw std::runtime_error("no window");
            return 10 + monitor;
        };
        auto makeAll = [&] {
            return saver::MakeWindowPerMonitor<int, int>({0, 1, 2}, make, [&](int window) { destroyed.push_back(window); });
        };
        std::vector<int> made;
        if (c.failingMonitor < 0)
            made = makeAll();
        else
            EXPECT_THROW(makeAll(), std::runtime_error) << c.name;
        EXPECT_EQ(made, c.made) << c.name;
        EXPECT_EQ(destroyed, c.destroyed) << c.name;
    }
}

TEST(MonitorWindows, ThePrimaryIsShownLast) {
    std::vector<int> shown, primaries;
    saver::ShowPrimaryLast<int>({10, 11, 12}, [&](int window, bool primary) {
        shown.push_back(window);
        if (primary) primaries.push_back(window);
    });
    EXPECT_EQ(shown, (std::vector<int>{12, 11, 10}));
    EXPECT_EQ(primaries, std::vector<int>{10});
}

TEST(MonitorWindows, TheCursorIsFoundInTheWindowItRestsOver) {
    // Two 100 x 50 windows side by side.
    auto areaOf = [](int window) { return saver::DesktopArea{window * 100, 0, 100, 50}; };
    struct Case {
        int x, y;
        bool found;
        int window, windowX, windowY;
    } cases[] = {
        {0, 0, true, 0, 0, 0},     {99, 49, true, 0, 99, 49}, {100, 10, true, 1, 0, 10},
        {150, 50, false, 0, 0, 0}, {-1, 10, false, 0, 0, 0}, {200, 10, false, 0, 0, 0},
    };
    for (const Case& c : cases) {
        auto cursor = saver::FindCursorWindow<int>({0, 1}, c.x, c.y, areaOf);
        ASSERT_EQ(cursor.has_value(), c.found) << c.x << "," << c.y;
        if (!cursor) continue;
        EXPECT_EQ(cursor->window, c.window);
        EXPECT_EQ(cursor->x, c.windowX);
        EXPECT_EQ(cursor->y, c.windowY);
    }
}

}  // namespace

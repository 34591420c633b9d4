// XScreenSaver's command line as the hack reads it: the window it names, the frame
// counter, the settings given in place of the file's, and the clear refusals.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "common/runtime_error.h"
#include "host/hack_options.h"

namespace {

using mScreenSaver::HackOptions;
using Target = HackOptions::Target;

std::vector<std::string> Words(const std::string& line) {
    std::istringstream stream(line);
    std::vector<std::string> words;
    for (std::string word; stream >> word;) words.push_back(word);
    return words;
}

struct Accepted {
    std::string line;
    const char* daemonWindow;
    Target target;
    std::uint64_t windowId;
    bool fps;
    saver::SettingTexts settings;
};

TEST(HackOptions, ReadsXScreenSaversOptionsAndOnePerSetting) {
    const std::vector<Accepted> cases = {
        {"--root", "0x1a00003", Target::Root, 0x1a00003, false, {}},
        {"-root", "27262979", Target::Root, 27262979, false, {}},
        // No daemon window: the root window, which the hack asks the window system for.
        {"--root", nullptr, Target::Root, 0, false, {}},
        {"--root", "", Target::Root, 0, false, {}},
        {"--window-id 0x400007", nullptr, Target::WindowId, 0x400007, false, {}},
        {"-window-id 4194311", nullptr, Target::WindowId, 4194311, false, {}},
        {"-window -fps", nullptr, Target::OwnWindow, 0, true, {}},
        {"--fps", nullptr, Target::OwnWindow, 0, true, {}},
        {"--ROOT --Candle-Height 3", "0x10", Target::Root, 0x10, false, {{"candleHeight", "3"}}},
        {"--root --candle-brightness 1 --candle-height 15", "0x10", Target::Root, 0x10, false,
         {{"candleBrightness", "1"}, {"candleHeight", "15"}}},
        // Red first on the command line, stored with red in the low byte.
        {"--candle-color FF0000", nullptr, Target::OwnWindow, 0, false, {{"candleColor", "255"}}},
        {"--candle-color #0000ff", nullptr, Target::OwnWindow, 0, false, {{"candleColor", "16711680"}}},
        {"--candle-color 0x123456", nullptr, Target::OwnWindow, 0, false,
         {{"candleColor", std::to_string(0x563412)}}},
        {"--move-pumpkin", nullptr, Target::OwnWindow, 0, false, {{"movePumpkin", "1"}}},
        {"--move-pumpkin --no-move-pumpkin", nullptr, Target::OwnWindow, 0, false, {{"movePumpkin", "0"}}},
    };
    for (const Accepted& c : cases) {
        SCOPED_TRACE(c.line);
        HackOptions options = mScreenSaver::ParseHackOptions(Words(c.line), c.daemonWindow);
        EXPECT_EQ(options.target, c.target);
        EXPECT_EQ(options.windowId, c.windowId);
        EXPECT_EQ(options.printFps, c.fps);
        EXPECT_EQ(options.settings, c.settings);
    }
}

TEST(HackOptions, RefusesWhatItCannotUseAndSaysWhy) {
    struct Refused {
        std::string line;
        const char* daemonWindow;
        std::string said;
    };
    const std::vector<Refused> cases = {
        {"--candle-height 16", nullptr, "--candle-height takes a whole number from 0 to 15"},
        {"--candle-height -1", nullptr, "from 0 to 15"},
        {"--candle-height 3.5", nullptr, "from 0 to 15"},
        {"--candle-brightness 0", nullptr, "from 1 to 300"},
        {"--candle-height", nullptr, "--candle-height needs a value"},
        {"--candle-color red", nullptr, "six hexadecimal digits"},
        {"--candle-color 12345", nullptr, "six hexadecimal digits"},
        {"--window-id", nullptr, "needs a window id"},
        {"--window-id 0", nullptr, "not an X window id"},
        {"--window-id 0x100000000", nullptr, "not an X window id"},
        {"--window-id zz", nullptr, "not an X window id"},
        {"--root", "nonsense", "XSCREENSAVER_WINDOW"},
        {"--bogus", nullptr, "unknown option \"--bogus\""},
        {"--root stray", nullptr, "\"stray\" is not an option"},
    };
    for (const Refused& c : cases) {
        SCOPED_TRACE(c.line);
        try {
            mScreenSaver::ParseHackOptions(Words(c.line), c.daemonWindow);
            ADD_FAILURE() << "accepted";
        } catch (const RuntimeError& failure) {
            EXPECT_NE(std::string(failure.what()).find(c.said), std::string::npos) << failure.what();
        }
    }
}

TEST(HackOptions, OnlyADashStartsAHackCommandLine) {
    EXPECT_TRUE(mScreenSaver::IsHackCommandLine("--root"));
    EXPECT_TRUE(mScreenSaver::IsHackCommandLine("  -window-id 5"));
    EXPECT_FALSE(mScreenSaver::IsHackCommandLine("/S"));
    EXPECT_FALSE(mScreenSaver::IsHackCommandLine("/p 12"));
    EXPECT_FALSE(mScreenSaver::IsHackCommandLine(""));
}

TEST(HackOptions, TheUsageNamesEverySettingsOption) {
    std::string usage = mScreenSaver::HackUsage();
    for (const char* option : {"--candle-height N", "--candle-brightness N", "--candle-color RRGGBB",
                               "--move-pumpkin", "--no-move-pumpkin", "--root", "--window-id", "--fps"})
        EXPECT_NE(usage.find(option), std::string::npos) << option;
}

}  // namespace

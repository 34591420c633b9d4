// XScreenSaver's command line as the hack reads it: which command lines are a hack's, the
// window it names, the frame counter, the settings given in place of the file's, the
// values left to the file with a warning, and the clear refusals.
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
        EXPECT_EQ(options.showFps, c.fps);
        EXPECT_TRUE(options.warnings.empty());
        EXPECT_EQ(options.settings, c.settings);
    }
}

// A daemon's hack draws whatever it was given: a setting's bad value leaves the settings
// file's value in place, with one line saying so.
TEST(HackOptions, LeavesABadSettingValueToTheFileAndSaysWhy) {
    struct Warned {
        std::string line;
        saver::SettingTexts settings;
        std::string said;
    };
    const std::vector<Warned> cases = {
        {"--candle-height 16", {}, "--candle-height takes a whole number from 0 to 15, not \"16\""},
        {"--candle-height -1 --candle-brightness 7", {{"candleBrightness", "7"}}, "from 0 to 15"},
        {"--candle-height 3.5", {}, "from 0 to 15"},
        {"--candle-brightness 0", {}, "from 1 to 300"},
        {"--root --candle-height", {}, "--candle-height needs a value"},
        // xfce4-screensaver drew an earlier colour field as a check box, which passes 1.
        {"--candle-color 1", {}, "six hexadecimal digits RRGGBB, not \"1\""},
        {"--candle-color red", {}, "six hexadecimal digits"},
        {"--candle-color 12345", {}, "six hexadecimal digits"},
    };
    for (const Warned& c : cases) {
        SCOPED_TRACE(c.line);
        HackOptions options = mScreenSaver::ParseHackOptions(Words(c.line), nullptr);
        EXPECT_EQ(options.settings, c.settings);
        ASSERT_EQ(options.warnings.size(), 1u);
        EXPECT_NE(options.warnings[0].find(c.said), std::string::npos) << options.warnings[0];
        EXPECT_NE(options.warnings[0].find("the settings file's value is used"), std::string::npos);
    }
}

TEST(HackOptions, RefusesWhatItCannotUseAndSaysWhy) {
    struct Refused {
        std::string line;
        const char* daemonWindow;
        std::string said;
    };
    const std::vector<Refused> cases = {
        {"--window-id", nullptr, "needs a window id"},
        {"--window-id 0", nullptr, "not an X window id"},
        {"--window-id 0x100000000", nullptr, "not an X window id"},
        {"--window-id zz", nullptr, "not an X window id"},
        {"--root", "nonsense", "XSCREENSAVER_WINDOW"},
        {"--root --bogus", nullptr, "unknown option \"--bogus\""},
        {"--bogus", nullptr, "unknown option \"--bogus\""},
        {"--", nullptr, "unknown option \"--\""},
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

// The hack's own options, and any word with two dashes (refused unless it is ours), start
// hack mode; -s, -c and anything else keep the Windows dispatch, which starts the saver for
// a command line it does not know.
TEST(HackOptions, OnlyTheHacksOwnOptionsStartAHackCommandLine) {
    for (const char* line : {"--root", "  -window-id 5", "-ROOT", "--window", "-fps", "--help",
                             "-h", "-?", "-H", "--version", "--add-to-xscreensaver", "--candle-height 3",
                             "--candle-color FF0000", "--no-move-pumpkin", "--move-pumpkin", "--s",
                             "--bogus", "--"})
        EXPECT_TRUE(mScreenSaver::IsHackCommandLine(line)) << line;
    for (const char* line : {"/S", "/p 12", "", "-s", "-c", "-S", "-C", "-p 12", "-", "-x --root",
                             "root", "/?", "/h", "-v"})
        EXPECT_FALSE(mScreenSaver::IsHackCommandLine(line)) << line;
}

// What a terminal asks for: the usage in three spellings, and the version.
TEST(HackOptions, ReadsTheUsageAndVersionRequests) {
    for (const char* line : {"--help", "-h", "-?", "-HELP"}) {
        HackOptions options = mScreenSaver::ParseHackOptions(Words(line), nullptr);
        EXPECT_TRUE(options.showUsage) << line;
        EXPECT_FALSE(options.showVersion) << line;
    }
    HackOptions version = mScreenSaver::ParseHackOptions(Words("--version"), nullptr);
    EXPECT_TRUE(version.showVersion);
    EXPECT_FALSE(version.showUsage);
}

TEST(HackOptions, TheUsageSaysWhatNoArgumentDoesAndNamesEveryOption) {
    std::string usage = mScreenSaver::HackUsage();
    for (const char* text : {"--candle-height N", "--candle-brightness N", "--candle-color RRGGBB",
                             "--move-pumpkin", "--no-move-pumpkin", "--root", "--window-id", "--fps",
                             "--add-to-xscreensaver", "--help, -h, -?", "--version", "With no argument"})
        EXPECT_NE(usage.find(text), std::string::npos) << text;
    // The colour is stated once, as the option takes it.
    EXPECT_EQ(usage.find("BBGGRR"), std::string::npos);
    EXPECT_EQ(usage.find("(the default)"), std::string::npos);
    EXPECT_TRUE(mScreenSaver::ParseHackOptions({"--add-to-xscreensaver"}, nullptr).addToXScreenSaver);
}

}  // namespace

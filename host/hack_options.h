// XScreenSaver's command line for its hacks, as the Linux product takes it: where to
// draw, whether to count frames, adding the hack to the user's XScreenSaver list, one
// option per setting of the settings table, and the usage and version a terminal asks for.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "saver/candle_scene.h"

namespace mScreenSaver {

struct HackOptions {
    enum class Target {
        // -window, or no window named: a window of the hack's own.
        OwnWindow,
        // -root: XSCREENSAVER_WINDOW's window, else the screen's root window (id 0 here).
        Root,
        // -window-id ID.
        WindowId,
    };
    Target target = Target::OwnWindow;
    std::uint64_t windowId = 0;
    // -fps: the frames shown a second written in a corner of the picture.
    bool showFps = false;
    // --help, -h or -?: the usage on standard output, and nothing else.
    bool showUsage = false;
    // --version: the name and version on standard output, and nothing else.
    bool showVersion = false;
    // --add-to-xscreensaver: the hack added to the user's XScreenSaver list, and nothing else.
    bool addToXScreenSaver = false;
    // The settings given on the command line, as the settings file would hold them.
    saver::SettingTexts settings;
    // One line for each setting option whose value could not be used; the settings
    // file's value stands in for it, as a daemon's hack must draw rather than fail.
    std::vector<std::string> warnings;
};

// One option for the usage text and the manual page.
struct OptionHelp {
    // With its leading dashes: "--candle-height".
    std::string option;
    // What follows it, or empty: "N".
    std::string argument;
    std::string meaning;
};

// Every option, in the order the usage lists them.
std::vector<OptionHelp> HackOptionHelp();

// True when the command line is a hack's: its first word is one of the hack's own options
// (one or two dashes, any letter case), or any word that begins with two dashes, which
// ParseHackOptions refuses unless it is ours: a mistyped option in a terminal must not
// blank the screen. Any other command line, -s and -c among them, is the Windows
// screen-saver protocol's.
bool IsHackCommandLine(const std::string& arguments);

// The options of the command line's words. A setting's option is its table name in words
// joined by "-" (candleHeight: --candle-height N, a whole number in the setting's range; a
// colour: --candle-color RRGGBB; on/off: --move-pumpkin and --no-move-pumpkin); a value it
// cannot use is left out with a line in warnings. XSCREENSAVER_WINDOW (hexadecimal with
// 0x, or decimal) names -root's window when set. An unknown option or a bad window fails
// with a RuntimeError that says what was wrong.
HackOptions ParseHackOptions(const std::vector<std::string>& words, const char* xscreensaverWindow);

// What no argument and the Windows switches do, then the options, one each.
std::string HackUsage();

}  // namespace mScreenSaver

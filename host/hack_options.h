// XScreenSaver's command line for its hacks, as the Linux product takes it: where to
// draw, whether to count frames, and one option per setting of the settings table.
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
    // -fps: frames per second on standard error.
    bool printFps = false;
    // --help: the usage on standard output, and nothing else.
    bool showUsage = false;
    // The settings given on the command line, as the settings file would hold them.
    saver::SettingTexts settings;
};

// True when the command line is a hack's: its first word starts with "-" (the Windows
// switches start with "/").
bool IsHackCommandLine(const std::string& arguments);

// The options of the command line's words; one or two leading dashes, any letter case.
// A setting's option is its table name in words joined by "-" (candleHeight:
// --candle-height N, a whole number in the setting's range; a colour: --candle-color
// RRGGBB in hexadecimal, red first; on/off: --move-pumpkin and --no-move-pumpkin).
// XSCREENSAVER_WINDOW (hexadecimal with 0x, or decimal) names -root's window when set.
// Anything else fails with a RuntimeError that says what was wrong and what is offered.
HackOptions ParseHackOptions(const std::vector<std::string>& words, const char* xscreensaverWindow);

// The options as a usage text, one line each.
std::string HackUsage();

}  // namespace mScreenSaver

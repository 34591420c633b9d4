#include "manual_page.h"

#include "host/hack_options.h"
#include "settings/settings_table.h"

namespace settings_table {

namespace {

// Text as man(7) shows it: a backslash is doubled, a hyphen is a minus sign (as options
// need for copying and searching), a line never starts with a control character.
std::string Roff(const std::string& text) {
    std::string escaped;
    for (char c : text) {
        if (c == '\\') escaped += "\\\\";
        else if (c == '-') escaped += "\\-";
        else escaped += c;
    }
    if (!escaped.empty() && (escaped[0] == '.' || escaped[0] == '\'')) escaped = "\\&" + escaped;
    return escaped;
}

std::string Item(const std::string& term, const std::string& text) {
    return ".TP\n" + term + "\n" + Roff(text) + "\n";
}

std::string Bold(const std::string& text) { return "\\fB" + Roff(text) + "\\fR"; }
std::string Italic(const std::string& text) { return "\\fI" + Roff(text) + "\\fR"; }

std::string Options() {
    std::string text = ".SH OPTIONS\n" + Roff(
        "Apart from --add-to-xscreensaver, --help and --version, these run the program as an "
        "XScreenSaver hack: it draws into the window named until SIGTERM ends it, and "
        "leaves keys and the mouse to the daemon. "
        "A setting given here takes the settings file's place for this run; a value it "
        "cannot use is reported on standard error, and the settings file's value is drawn. "
        "Any other argument that begins with -- is refused with one line on standard error "
        "and exit status 1.") + "\n";
    for (const mScreenSaver::OptionHelp& help : mScreenSaver::HackOptionHelp()) {
        std::string term = Bold(help.option);
        if (!help.argument.empty()) term += " " + Italic(help.argument);
        text += Item(term, help.meaning);
    }
    return text;
}

std::string Settings() {
    std::string text = ".SH SETTINGS\n" + Roff(
        "The settings file is in INI form; keys are found whatever their letter case. "
        "Kelvora's settings dialog writes them all.") + "\n";
    for (const mScreenSaver::SettingDefinition& s : mScreenSaver::SettingsTable) {
        text += Item(Bold(s.writtenKey) + " in [" + Roff(s.section) + "]",
                     std::string(s.meaning) + "; " + std::to_string(s.min) + " to " +
                         std::to_string(s.max) + ", default " + std::to_string(s.defaultValue) + ".");
    }
    return text;
}

}  // namespace

std::string ManualPage(const std::string& version, const std::string& releaseDate) {
    return ".TH KELVORA 6 \"" + releaseDate + "\" \"Kelvora " + Roff(version) + "\" \"Screen savers\"\n"
           ".SH NAME\n"
           "kelvora \\- a carved pumpkin lit by a candle, as a screen saver\n"
           ".SH SYNOPSIS\n"
           ".B kelvora\n[\\fB/S\\fR | \\fB/C\\fR | \\fB/P\\fR \\fIID\\fR | \\fB/A\\fR \\fIID\\fR]\n"
           ".br\n"
           ".B kelvora\n\\fIOPTION\\fR...\n"
           ".SH DESCRIPTION\n" +
           Roff("A carved pumpkin at night, lit from inside by a candle whose flame and smoke "
                "are particle systems, drawn with OpenGL. It runs full screen on its own, as "
                "an XScreenSaver hack, or under mate-screensaver and xfce4-screensaver.") + "\n"
           ".SH MODES\n" +
           Item(Bold("/S") + ", no argument, or any argument that is no option below and does not "
                                 "begin with " + Bold("--"),
                "The saver, full screen on every monitor, until a key press or three clear "
                "mouse movements end it. A second saver of the same user on the same display "
                "ends at once.") +
           Item(Bold("/C"), "The settings dialog: the candle's height, brightness and colour, "
                            "and whether dragging with the mouse turns the pumpkin.") +
           Item(Bold("/P") + " " + Italic("ID"), "A still of the scene drawn into the X window ID, "
                                                 "as a settings page's preview.") +
           Item(Bold("/A") + " " + Italic("ID"), "Nothing on Linux; Windows' password change.") +
           Options() + Settings() +
           ".SH FILES\n" +
           Item(Italic("$XDG_CONFIG_HOME/kelvora/kelvora.ini"),
                "The user's settings (by default ~/.config/kelvora/kelvora.ini), read first; "
                "made by the settings dialog's first save.") +
           Item(Italic("/usr/share/kelvora/kelvora.ini"),
                "The default settings, read for whatever the user's file lacks.") +
           Item(Italic("/usr/share/kelvora/durnwick/kelvora/"), "The model and pictures the saver loads.") +
           Item(Italic("~/.xscreensaver"), "XScreenSaver's settings, where --add-to-xscreensaver adds the hack.") +
           Item(Italic("/usr/share/xscreensaver/config/kelvora.xml"),
                "The hack's settings page in xscreensaver-settings and xfce4-screensaver.") +
           Item(Italic("/usr/share/applications/screensavers/kelvora.desktop"),
                "The entry through which mate-screensaver and xfce4-screensaver find it.") +
           ".SH ENVIRONMENT\n" +
           Item(Bold("XSCREENSAVER_WINDOW"), "The window --root draws into, as the daemons set it.") +
           Item(Bold("XDG_CONFIG_HOME"), "Where the user's settings folder is.") +
           Item(Bold("HOME"), "Where ~/.xscreensaver and, without XDG_CONFIG_HOME, ~/.config are.") +
           Item(Bold("DISPLAY"), "The X display; a second saver is refused per user and display.") +
           Item(Bold("KELVORA_EVENT_FILE"), "A file to which one line is added per event (first frame, "
                                            "key seen, ending), for tests.") +
           Item(Bold("KELVORA_UNCAPPED"), "Any value but empty or 0 lifts the refresh-rate cap, for measuring.") +
           Item(Bold("KELVORA_CLOCK_START"), "Seconds the saver's clock starts at, for tests: 3600 shows at "
                                             "once where the picture has wandered after an hour.") +
           ".SH SEE ALSO\n"
           ".BR xscreensaver (1),\n.BR xscreensaver\\-settings (1),\n.BR mate\\-screensaver (1)\n";
}

}  // namespace settings_table

#include "host/hack_options.h"

#include <cctype>
#include <charconv>
#include <sstream>

#include "common/color_bytes.h"
#include "common/runtime_error.h"
#include "settings/setting_option_name.h"
#include "settings/settings_table.h"

namespace mScreenSaver {

namespace {

// The largest X window id: ids are 29-bit, and a larger number names no window.
constexpr std::uint64_t LargestWindowId = 0xFFFFFFFFu;

[[noreturn]] void Refuse(const std::string& what) {
    throw RuntimeError(ErrorCode::InvalidArgument, what + " (kelvora --help lists the options)");
}

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The word without its one or two leading dashes, in lower case.
std::string Bare(const std::string& word) {
    std::size_t dashes = word.rfind("--", 0) == 0 ? 2 : 1;
    return Lower(word.substr(dashes));
}

// The whole text as a number of the base, or false.
bool WholeNumber(const std::string& text, int base, std::int64_t& value) {
    if (text.empty()) return false;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    return error == std::errc() && end == text.data() + text.size();
}

// Hexadecimal with 0x, or decimal, as X tools and XSCREENSAVER_WINDOW write window ids.
std::uint64_t WindowId(const std::string& text, const std::string& whose) {
    std::string lower = Lower(text);
    bool hex = lower.rfind("0x", 0) == 0;
    std::int64_t value = 0;
    if (!WholeNumber(hex ? lower.substr(2) : lower, hex ? 16 : 10, value) || value <= 0 ||
        static_cast<std::uint64_t>(value) > LargestWindowId)
        Refuse(whose + " \"" + text + "\" is not an X window id (0x1a00003 or 27262979)");
    return static_cast<std::uint64_t>(value);
}

// RRGGBB, red first (also with a leading # or 0x), as the stored 0x00BBGGRR in decimal;
// empty when the text is no such colour.
std::string ColorText(const std::string& text) {
    std::string digits = Lower(text);
    if (digits.rfind("#", 0) == 0) digits = digits.substr(1);
    else if (digits.rfind("0x", 0) == 0) digits = digits.substr(2);
    std::int64_t rgb = 0;
    if (digits.size() != 6 || !WholeNumber(digits, 16, rgb)) return "";
    ColorBytes color = UnpackColor(static_cast<std::uint32_t>(rgb), ColorLayout::RedHigh);
    return std::to_string(PackColor(color, ColorLayout::RedLow));
}

// The whole number in the setting's range as text; empty when the text is none.
std::string NumberText(const SettingDefinition& setting, const std::string& text) {
    std::int64_t value = 0;
    if (!WholeNumber(text, 10, value) || value < setting.min || value > setting.max) return "";
    return std::to_string(value);
}

std::string ValueWanted(const SettingDefinition& setting) {
    if (setting.form == TextForm::DecimalBgrColor)
        return "a colour as six hexadecimal digits RRGGBB";
    return "a whole number from " + std::to_string(setting.min) + " to " + std::to_string(setting.max);
}

void Warn(HackOptions& options, const std::string& option, const std::string& problem) {
    options.warnings.push_back("--" + option + " " + problem +
                               ", so the settings file's value is used");
}

// Reads the setting option at words[index] (index moves past its value, if any);
// false when the word names no setting.
bool ReadSettingOption(const std::vector<std::string>& words, std::size_t& index,
                       HackOptions& options) {
    std::string bare = Bare(words[index]);
    for (const SettingDefinition& setting : SettingsTable) {
        std::string option = OptionName(setting);
        if (setting.form == TextForm::OnOff) {
            if (bare == option) options.settings[setting.name] = FlagOnText;
            else if (bare == "no-" + option) options.settings[setting.name] = FlagOffText;
            else continue;
            return true;
        }
        if (bare != option) continue;
        if (index + 1 >= words.size()) {
            Warn(options, option, "needs a value");
            return true;
        }
        const std::string& value = words[++index];
        std::string text = setting.form == TextForm::DecimalBgrColor ? ColorText(value)
                                                                     : NumberText(setting, value);
        if (text.empty()) Warn(options, option, "takes " + ValueWanted(setting) + ", not \"" + value + "\"");
        else options.settings[setting.name] = text;
        return true;
    }
    return false;
}

// The options that are not settings, in the order the usage lists them.
const std::vector<OptionHelp> OwnOptions = {
    {"--root", "", "draw into XSCREENSAVER_WINDOW's window, else the root window"},
    {"--window-id", "ID", "draw into the X window ID (0x1a00003 or 27262979)"},
    {"--window", "", "draw into a window of its own"},
    {"--fps", "", "write the frames shown a second in the picture's lower left corner"},
    {"--add-to-xscreensaver", "", "add \"GL: kelvora --root\" to your XScreenSaver list, once"},
    {"--help, -h, -?", "", "print the options and end"},
    {"--version", "", "print the name and version and end"},
};

// A setting's meaning as its option sets it.
std::string OptionMeaning(const SettingDefinition& setting) {
    switch (setting.form) {
    case TextForm::DecimalInteger:
        return std::string(setting.meaning) + " (" + std::to_string(setting.min) + " to " +
               std::to_string(setting.max) + ", default " + std::to_string(setting.defaultValue) + ")";
    case TextForm::DecimalBgrColor:
        return "The flame's colour in hexadecimal, red first (default " +
               RgbHexText(setting.defaultValue) + ", orange)";
    case TextForm::OnOff:
        break;
    }
    return std::string(setting.meaning) + " (default " + (setting.defaultValue ? "on" : "off") + ")";
}

}  // namespace

std::vector<OptionHelp> HackOptionHelp() {
    std::vector<OptionHelp> help = OwnOptions;
    for (const SettingDefinition& setting : SettingsTable) {
        std::string option = "--" + OptionName(setting);
        switch (setting.form) {
        case TextForm::DecimalInteger:
            help.push_back({option, "N", OptionMeaning(setting)});
            break;
        case TextForm::DecimalBgrColor:
            help.push_back({option, "RRGGBB", OptionMeaning(setting)});
            break;
        case TextForm::OnOff:
            help.push_back({option + ", --no-" + OptionName(setting), "", OptionMeaning(setting)});
            break;
        }
    }
    return help;
}

bool IsHackCommandLine(const std::string& arguments) {
    std::istringstream stream(arguments);
    std::string first;
    if (!(stream >> first) || first[0] != '-' || first.size() < 2) return false;
    if (first.rfind("--", 0) == 0) return true;
    std::string bare = Bare(first);
    for (const OptionHelp& help : HackOptionHelp()) {
        std::istringstream names(help.option);
        for (std::string name; names >> name;) {
            if (name.back() == ',') name.pop_back();
            if (Bare(name) == bare) return true;
        }
    }
    return false;
}

HackOptions ParseHackOptions(const std::vector<std::string>& words, const char* xscreensaverWindow) {
    HackOptions options;
    for (std::size_t index = 0; index < words.size(); ++index) {
        const std::string& word = words[index];
        if (word.empty() || word[0] != '-') Refuse("\"" + word + "\" is not an option");
        std::string bare = Bare(word);
        if (bare == "root") {
            options.target = HackOptions::Target::Root;
            options.windowId = xscreensaverWindow && *xscreensaverWindow
                                   ? WindowId(xscreensaverWindow, "XSCREENSAVER_WINDOW")
                                   : 0;
        } else if (bare == "window-id") {
            if (index + 1 >= words.size()) Refuse("--window-id needs a window id");
            options.target = HackOptions::Target::WindowId;
            options.windowId = WindowId(words[++index], "the window id");
        } else if (bare == "window") {
            options.target = HackOptions::Target::OwnWindow;
        } else if (bare == "fps") {
            options.showFps = true;
        } else if (bare == "help" || bare == "h" || bare == "?") {
            options.showUsage = true;
        } else if (bare == "version") {
            options.showVersion = true;
        } else if (bare == "add-to-xscreensaver") {
            options.addToXScreenSaver = true;
        } else if (!ReadSettingOption(words, index, options)) {
            Refuse("unknown option \"" + word + "\"");
        }
    }
    return options;
}

std::string HackUsage() {
    std::string usage =
        "usage: kelvora [/S | /C | /P ID | /A ID]  or  kelvora OPTION...\n"
        "With no argument, /S or any other argument that is not an option below and does\n"
        "not begin with --, the saver runs full screen on every monitor until a key or the\n"
        "mouse ends it. /C opens the settings, /P ID draws a still into the X window ID,\n"
        "/A ID does nothing here.\n"
        "Options (as an XScreenSaver hack it draws until SIGTERM):\n";
    for (const OptionHelp& help : HackOptionHelp()) {
        std::string name = help.option + (help.argument.empty() ? "" : " " + help.argument);
        usage += "  " + name + "\n      " + help.meaning + "\n";
    }
    return usage + "A setting given here takes the settings file's place for this run.\n";
}

}  // namespace mScreenSaver

#include "host/hack_options.h"

#include <cctype>
#include <charconv>

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

// RRGGBB, red first (also with a leading # or 0x), as the stored 0x00BBGGRR in decimal.
std::string ColorText(const std::string& option, const std::string& text) {
    std::string digits = Lower(text);
    if (digits.rfind("#", 0) == 0) digits = digits.substr(1);
    else if (digits.rfind("0x", 0) == 0) digits = digits.substr(2);
    std::int64_t rgb = 0;
    if (digits.size() != 6 || !WholeNumber(digits, 16, rgb))
        Refuse("--" + option + " takes a colour as six hexadecimal digits RRGGBB, not \"" + text + "\"");
    std::int64_t red = (rgb >> 16) & 0xFF, green = (rgb >> 8) & 0xFF, blue = rgb & 0xFF;
    return std::to_string(red | green << 8 | blue << 16);
}

std::string NumberText(const SettingDefinition& setting, const std::string& option,
                       const std::string& text) {
    std::int64_t value = 0;
    if (!WholeNumber(text, 10, value) || value < setting.min || value > setting.max)
        Refuse("--" + option + " takes a whole number from " + std::to_string(setting.min) + " to " +
               std::to_string(setting.max) + ", not \"" + text + "\"");
    return std::to_string(value);
}

// Reads the setting option at words[index] (index moves past its value, if any);
// false when the word names no setting.
bool ReadSettingOption(const std::vector<std::string>& words, std::size_t& index,
                       saver::SettingTexts& settings) {
    std::string bare = Bare(words[index]);
    for (const SettingDefinition& setting : SettingsTable) {
        std::string option = OptionName(setting);
        if (setting.form == TextForm::OnOff) {
            if (bare == option) settings[setting.name] = FlagOnText;
            else if (bare == "no-" + option) settings[setting.name] = FlagOffText;
            else continue;
            return true;
        }
        if (bare != option) continue;
        if (index + 1 >= words.size()) Refuse("--" + option + " needs a value");
        const std::string& value = words[++index];
        settings[setting.name] = setting.form == TextForm::DecimalBgrColor
                                     ? ColorText(option, value)
                                     : NumberText(setting, option, value);
        return true;
    }
    return false;
}

}  // namespace

bool IsHackCommandLine(const std::string& arguments) {
    std::size_t first = arguments.find_first_not_of(' ');
    return first != std::string::npos && arguments[first] == '-';
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
            options.printFps = true;
        } else if (bare == "help") {
            options.showUsage = true;
        } else if (!ReadSettingOption(words, index, options.settings)) {
            Refuse("unknown option \"" + word + "\"");
        }
    }
    return options;
}

std::string HackUsage() {
    std::string usage =
        "usage: kelvora [/S | /C | /P ID | /A ID]  or  kelvora [OPTION...]\n"
        "  --root               draw into XSCREENSAVER_WINDOW's window, else the root window\n"
        "  --window-id ID       draw into the X window ID (0x1a00003 or 27262979)\n"
        "  --window             draw into a window of its own (the default)\n"
        "  --fps                print frames per second on standard error\n";
    for (const SettingDefinition& setting : SettingsTable) {
        std::string option = OptionName(setting);
        std::string range = std::to_string(setting.min) + "-" + std::to_string(setting.max);
        switch (setting.form) {
        case TextForm::DecimalInteger:
            usage += "  --" + option + " N  (" + range + ", default " +
                     std::to_string(setting.defaultValue) + ")\n";
            break;
        case TextForm::DecimalBgrColor:
            usage += "  --" + option + " RRGGBB  (hexadecimal, red first)\n";
            break;
        case TextForm::OnOff:
            usage += "  --" + option + ", --no-" + option + "\n";
            break;
        }
        usage += std::string("      ") + setting.meaning + "\n";
    }
    return usage + "A setting given here takes the settings file's place for this run.\n";
}

}  // namespace mScreenSaver

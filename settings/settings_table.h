// The four settings as the settings file holds them: section, the key asked for and the
// key written, text form, default, design-time value, range and meaning, stated once.
#pragma once
#include <algorithm>
#include <array>
#include <cstdint>

namespace mScreenSaver {

// How a value travels as text in the file.
enum class TextForm {
    // Plain decimal digits, with a leading "-" for a negative value.
    DecimalInteger,
    // The decimal integer of a 0x00BBGGRR colour: red in the low byte.
    DecimalBgrColor,
    // FlagOnText when on; any other text means off, and FlagOffText is written for off.
    OnOff,
};

inline constexpr const char* FlagOnText = "1";
inline constexpr const char* FlagOffText = "0";

struct SettingDefinition {
    // The field of the Settings record that carries the text.
    const char* name;
    const char* section;
    // The key the saver's set-up and the dialog ask for; lookups ignore letter case.
    const char* readKey;
    // The key the dialog writes: its spelling shows in a file the dialog creates.
    const char* writtenKey;
    TextForm form;
    // What the dialog's Defaults button gives and the shipped kelvora.ini holds.
    std::int32_t defaultValue;
    // What the dialog's control holds when the file lacks the key, and so writes on close.
    std::int32_t designValue;
    std::int32_t min;
    std::int32_t max;
    // One line for users.
    const char* meaning;
    // False for a setting that cannot work where a screen-saver daemon runs the saver:
    // the hosts' settings pages leave it out.
    bool worksUnderDaemon = true;
};

inline constexpr SettingDefinition CandleHeightSetting = {
    .name = "candleHeight",
    .section = "candle",
    .readKey = "candleheight",
    .writtenKey = "candleheight",
    .form = TextForm::DecimalInteger,
    .defaultValue = 10,
    .designValue = 15,
    .min = 0,
    .max = 15,
    .meaning = "How tall the flame burns: more flame particles, each living longer",
};

// Brightness 0 would put the candle out, so the range starts at 1.
inline constexpr SettingDefinition CandleBrightnessSetting = {
    .name = "candleBrightness",
    .section = "candle",
    .readKey = "candlebrightness",
    .writtenKey = "candleBrightness",
    .form = TextForm::DecimalInteger,
    .defaultValue = 200,
    .designValue = 15,
    .min = 1,
    .max = 300,
    .meaning = "How far the candle's light reaches",
};

// The design colour is the default one, so a dialog opened without a settings file shows
// and saves the colour Defaults would give.
inline constexpr SettingDefinition CandleColorSetting = {
    .name = "candleColor",
    .section = "candle",
    .readKey = "candlecolor",
    .writtenKey = "candlecolor",
    .form = TextForm::DecimalBgrColor,
    .defaultValue = 145151,
    .designValue = 145151,
    .min = 0,
    .max = 16777215,
    .meaning = "The flame's colour, as the decimal number of 0x00BBGGRR (red in the low byte)",
};

// Every daemon ends its saver on the first mouse movement, before the pumpkin could turn.
inline constexpr SettingDefinition MovePumpkinSetting = {
    .name = "movePumpkin",
    .section = "pumpkin",
    .readKey = "movePumpkin",
    .writtenKey = "movePumpkin",
    .form = TextForm::OnOff,
    .defaultValue = 0,
    .designValue = 0,
    .min = 0,
    .max = 1,
    .meaning = "Whether dragging with the first mouse button turns the pumpkin; while it is on, "
               "the mouse no longer ends the saver",
    .worksUnderDaemon = false,
};

// In the order the dialog reads and writes them and the shipped file lists them.
inline constexpr std::array<SettingDefinition, 4> SettingsTable = {
    CandleHeightSetting, CandleBrightnessSetting, CandleColorSetting, MovePumpkinSetting};

// The flame colours offered by name where a host's settings page can show a list but no
// colour chooser (XScreenSaver's and xfce4-screensaver's), stored as 0x00BBGGRR; the
// default orange comes first.
struct NamedColor {
    const char* name;
    std::int32_t value;
};

inline constexpr std::array<NamedColor, 7> FlameColors = {{
    {"Orange", CandleColorSetting.defaultValue},
    {"Red", 0x0018FF},
    {"Yellow", 0x00D8FF},
    {"White", 0xFFFFFF},
    {"Green", 0x40FF30},
    {"Blue", 0xFF7020},
    {"Violet", 0xFF40B0},
}};

constexpr bool DefaultAndDesignInRange(const SettingDefinition& setting) {
    return setting.min <= setting.defaultValue && setting.defaultValue <= setting.max &&
           setting.min <= setting.designValue && setting.designValue <= setting.max;
}

// The dialog's Defaults button runs without failure tolerance: its values must fit.
static_assert(std::ranges::all_of(SettingsTable, DefaultAndDesignInRange));

}  // namespace mScreenSaver

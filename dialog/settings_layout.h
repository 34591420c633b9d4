// The settings window as it is designed: every control in tab order with its place in
// twips, caption, tool tip and design-time value. Both native windows are built from
// this one table, and the dialog's logic takes its ranges from it.
#pragma once
#include <array>
#include <cstdint>

#include "settings/settings_table.h"

namespace dialog {

// Twips are a twentieth of a point, 1440 to the inch at any screen density: the layout
// holds in them, and each window turns them into pixels at its monitor's density, 96 dots
// an inch (15 twips a pixel) at 100 %.
inline constexpr int TwipsPerInch = 1440;
inline constexpr int DesignDpi = 96;

enum class ControlId {
    CmdFriend,
    CmdWebsite,
    CmdClose,
    CommandDefault,
    HScrollCandlebrightness,
    PictureCandleColor,
    CmdCandleColor,
    HScrollCandleHeight,
    Label3,
    Label2,
    Label1,
    Label4,
    Label5,
    Label6,
    CheckMovePumpkin,
    Label7,
};

enum class ControlKind { PictureButton, Button, ScrollBar, ColorSwatch, Label, CheckBox };

enum class TextAlign { Left, Center, Right };

// Left, top, width and height in twips.
struct TwipsRect {
    int left;
    int top;
    int width;
    int height;
};

struct ScrollDesign {
    std::int16_t min;
    std::int16_t max;
    std::int16_t value;
    std::int16_t smallChange;
    std::int16_t largeChange;
};

struct ControlLayout {
    ControlId id;
    ControlKind kind;
    const char* caption;
    TwipsRect place;
    TextAlign align = TextAlign::Left;
    const char* toolTip = nullptr;
    // A picture button's picture: its name in the media folder, without extension, and
    // its resource name in kelvora.scr. The caption then only names the link.
    const char* picture = nullptr;
    ScrollDesign scroll = {};
};

// A white line between two points, in twips.
struct LineLayout {
    int x1;
    int y1;
    int x2;
    int y2;
};

inline constexpr const char* SettingsCaption = "Kelvora Screen Saver";
inline constexpr int ClientWidthTwips = 6225;
inline constexpr int ClientHeightTwips = 3960;

// A bar's range and resting place are its setting's; the step sizes are the form's own.
constexpr ScrollDesign BarDesign(const mScreenSaver::SettingDefinition& setting,
                                 std::int16_t smallChange, std::int16_t largeChange) {
    return {static_cast<std::int16_t>(setting.min), static_cast<std::int16_t>(setting.max),
            static_cast<std::int16_t>(setting.designValue), smallChange, largeChange};
}

// A bar holds a 16-bit position.
constexpr bool FitsABar(const mScreenSaver::SettingDefinition& setting) {
    return setting.min >= INT16_MIN && setting.max <= INT16_MAX;
}
static_assert(FitsABar(mScreenSaver::CandleHeightSetting));
static_assert(FitsABar(mScreenSaver::CandleBrightnessSetting));

inline constexpr ScrollDesign HeightBarDesign = BarDesign(mScreenSaver::CandleHeightSetting, 1, 3);
inline constexpr ScrollDesign BrightnessBarDesign =
    BarDesign(mScreenSaver::CandleBrightnessSetting, 1, 30);

// The swatch and the chooser start with the design candle colour.
inline constexpr std::int32_t DesignCandleColor = mScreenSaver::CandleColorSetting.designValue;

inline constexpr std::array<ControlLayout, 16> SettingsControls = {{
    {.id = ControlId::CmdFriend,
     .kind = ControlKind::PictureButton,
     .caption = "Tell a friend about this screen saver",
     .place = {1440, 3360, 1815, 405},
     .picture = "tell_friend"},
    {.id = ControlId::CmdWebsite,
     .kind = ControlKind::PictureButton,
     .caption = "Visit our web site",
     .place = {3360, 3360, 1455, 375},
     .picture = "website"},
    {ControlId::CmdClose, ControlKind::Button, "Close", {4920, 3360, 1095, 375}},
    {ControlId::CommandDefault, ControlKind::Button, " Defaults", {240, 2520, 975, 375}},
    {.id = ControlId::HScrollCandlebrightness,
     .kind = ControlKind::ScrollBar,
     .caption = "",
     .place = {3360, 1200, 2655, 150},
     .scroll = BrightnessBarDesign},
    {.id = ControlId::PictureCandleColor,
     .kind = ControlKind::ColorSwatch,
     .caption = "",
     .place = {5520, 2520, 495, 375},
     .toolTip = "Background color"},
    {.id = ControlId::CmdCandleColor,
     .kind = ControlKind::Button,
     .caption = "Candle Color",
     .place = {4080, 2520, 1335, 375},
     .toolTip = "Select background color"},
    {.id = ControlId::HScrollCandleHeight,
     .kind = ControlKind::ScrollBar,
     .caption = "",
     .place = {3360, 480, 2655, 150},
     .scroll = HeightBarDesign},
    {ControlId::Label3, ControlKind::Label, "Candle Brightness", {3960, 960, 1455, 255},
     TextAlign::Center},
    {ControlId::Label2, ControlKind::Label, "High", {5520, 960, 495, 255}, TextAlign::Right},
    {ControlId::Label1, ControlKind::Label, "Low", {3360, 960, 615, 255}},
    {ControlId::Label4, ControlKind::Label, "Low", {3360, 240, 615, 255}},
    {ControlId::Label5, ControlKind::Label, "High", {5520, 240, 495, 255}, TextAlign::Right},
    {ControlId::Label6, ControlKind::Label, "Candle Height", {4080, 240, 1215, 255},
     TextAlign::Center},
    {ControlId::CheckMovePumpkin, ControlKind::CheckBox, "Move Pumpkin with Mouse",
     {240, 2160, 2535, 255}},
    {ControlId::Label7, ControlKind::Label,
     "Note: Candle Color may change due to Candle Brightness", {3600, 1450, 2415, 495}},
}};

// Line3 under the note, Line1 above the bottom row.
inline constexpr std::array<LineLayout, 2> SettingsLines = {{
    {3600, 2040, 5760, 2040},
    {240, 3120, 6000, 3120},
}};

// Image1, the title banner at the top left.
inline constexpr const char* BannerPicture = "dialog_banner";
inline constexpr TwipsRect BannerPlace = {240, 120, 2970, 1815};

// The window's icon: a monitor.
inline constexpr const char* IconPicture = "kelvora_icon";

const ControlLayout& LayoutOf(ControlId id);

// Pixels at `dpi` dots an inch, halves rounded up.
inline constexpr int ToPixels(int twips, int dpi = DesignDpi) {
    return (twips * dpi + TwipsPerInch / 2) / TwipsPerInch;
}

}  // namespace dialog

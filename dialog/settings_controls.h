// The settings window's controls as its logic uses them: the properties the window's
// steps set and read, with the checks a property makes before the native control
// changes. A value a control cannot take fails with InvalidPropertyValue.
#pragma once
#include <cstdint>

#include "common/flags.h"
#include "dialog/settings_view.h"

namespace dialog {

class HScrollBar {
public:
    HScrollBar(SettingsView& view, ControlId id);
    std::int16_t Value() const;
    // A value outside the bar's range is rejected and the bar stays where it was.
    void SetValue(std::int16_t value);

private:
    SettingsView& view_;
    ControlId id_;
};

class CheckBox {
public:
    CheckBox(SettingsView& view, ControlId id);
    // 1 ticked, 0 cleared.
    std::int16_t Value() const;
    void SetValue(std::int16_t value);

private:
    SettingsView& view_;
    ControlId id_;
};

class PictureBox {
public:
    PictureBox(SettingsView& view, ControlId id);
    std::int32_t BackColor() const;
    // Only a plain 24-bit colour paints the swatch.
    void SetBackColor(std::int32_t color);

private:
    SettingsView& view_;
    ControlId id_;
};

// The colour chooser: the window's colour and options, kept until the next ShowColor.
class ColorDialog {
public:
    static constexpr std::int32_t RgbInit = 1;

    explicit ColorDialog(SettingsView& view);

    std::int32_t Color = DesignCandleColor;
    std::int32_t Flags = 0;
    Flag CancelError = False;

    // Opens the modal chooser, with Color selected when Flags holds RgbInit. A confirmed
    // choice becomes Color; a Cancel leaves Color as it was and, with CancelError set,
    // fails with Cancel.
    void ShowColor();

private:
    SettingsView& view_;
};

// The controls that hold state, as members of the loaded window.
struct SettingsControlSet {
    explicit SettingsControlSet(SettingsView& view);

    HScrollBar HScrollCandleHeight;
    HScrollBar HScrollCandlebrightness;
    PictureBox PictureCandleColor;
    CheckBox CheckMovePumpkin;
    ColorDialog CommonDialogColor;
};

}  // namespace dialog

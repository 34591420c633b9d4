// What the settings dialog's logic sees of its window: the native controls' values, the
// colour chooser, and the events the window reports back. Each platform implements the
// view; tests use a fake.
#pragma once
#include <cstdint>
#include <optional>

#include "dialog/settings_layout.h"

namespace dialog {

class SettingsEvents {
public:
    virtual ~SettingsEvents() = default;
    // A click on one of the five buttons.
    virtual void Click(ControlId button) = 0;
    // The window system closes the window (close box, Alt+F4, window manager). The
    // window goes away once this returns.
    virtual void Form_Unload() = 0;
};

class SettingsView {
public:
    virtual ~SettingsView() = default;

    // Makes the window visible, centred on the screen, non-modal and without an owner.
    virtual void Show() = 0;
    // Takes the window off the screen for good without reporting any event.
    virtual void Close() = 0;

    // The caller keeps positions within the bar's designed range.
    virtual std::int16_t ScrollPosition(ControlId bar) = 0;
    virtual void SetScrollPosition(ControlId bar, std::int16_t position) = 0;

    virtual bool Ticked(ControlId box) = 0;
    virtual void SetTicked(ControlId box, bool ticked) = 0;

    // Colours are 0x00BBGGRR.
    virtual std::int32_t BackColor(ControlId picture) = 0;
    virtual void SetBackColor(ControlId picture, std::int32_t color) = 0;

    // The modal colour chooser, opening with initial selected when there is one. The
    // chosen colour, or nothing when the user cancels.
    virtual std::optional<std::int32_t> PickColor(std::optional<std::int32_t> initial) = 0;
};

}  // namespace dialog

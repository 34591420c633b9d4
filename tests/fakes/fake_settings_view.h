// A settings window without widgets: controls start at their design-time values, a test
// moves them as a user would and sets what the colour chooser answers.
#pragma once
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "dialog/settings_view.h"
#include "dialog/settings_window.h"

namespace fakes {

class FakeSettingsView : public dialog::SettingsView {
public:
    FakeSettingsView();

    dialog::SettingsEvents* events = nullptr;
    bool shown = false;
    bool closed = false;
    std::map<dialog::ControlId, std::int16_t> positions;
    bool ticked = false;
    std::int32_t swatchColor;
    // Answers of the chooser, front first: a colour the user confirms, or nothing for
    // Cancel. Cancel once they run out.
    std::deque<std::optional<std::int32_t>> chooserAnswers;
    // The colour each opening of the chooser started with.
    std::vector<std::optional<std::int32_t>> chooserOpenedWith;

    void Show() override { shown = true; }
    void Close() override { closed = true; }
    std::int16_t ScrollPosition(dialog::ControlId bar) override { return positions.at(bar); }
    void SetScrollPosition(dialog::ControlId bar, std::int16_t position) override {
        positions.at(bar) = position;
    }
    bool Ticked(dialog::ControlId) override { return ticked; }
    void SetTicked(dialog::ControlId, bool value) override { ticked = value; }
    std::int32_t BackColor(dialog::ControlId) override { return swatchColor; }
    void SetBackColor(dialog::ControlId, std::int32_t color) override { swatchColor = color; }
    std::optional<std::int32_t> PickColor(std::optional<std::int32_t> initial) override;
};

// A factory that makes fake settings windows, none made yet; LastSettingsView is the
// last one made.
dialog::SettingsWindowFactory& FakeSettingsWindows();
FakeSettingsView& LastSettingsView();

}  // namespace fakes

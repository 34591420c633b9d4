// The checks the dialog's controls make before a native control changes, and the
// colour chooser's Cancel.
#include <gtest/gtest.h>

#include <functional>

#include "common/runtime_error.h"
#include "dialog/settings_controls.h"
#include "fakes/fake_settings_view.h"

namespace {

using dialog::ControlId;

ErrorCode FailureOf(const std::function<void()>& step) {
    try {
        step();
    } catch (const RuntimeError& failure) {
        return failure.code();
    }
    ADD_FAILURE() << "the step did not fail";
    return ErrorCode::InvalidArgument;
}

TEST(SettingsControlsTest, AScrollBarRejectsAValueOutsideItsRangeAndStaysPut) {
    fakes::FakeSettingsView view;
    dialog::HScrollBar height(view, ControlId::HScrollCandleHeight);
    dialog::HScrollBar brightness(view, ControlId::HScrollCandlebrightness);
    height.SetValue(4);
    EXPECT_EQ(FailureOf([&] { height.SetValue(16); }), ErrorCode::InvalidPropertyValue);
    EXPECT_EQ(FailureOf([&] { height.SetValue(-1); }), ErrorCode::InvalidPropertyValue);
    EXPECT_EQ(height.Value(), 4);
    EXPECT_EQ(FailureOf([&] { brightness.SetValue(0); }), ErrorCode::InvalidPropertyValue);
    EXPECT_EQ(FailureOf([&] { brightness.SetValue(301); }), ErrorCode::InvalidPropertyValue);
    brightness.SetValue(300);
    EXPECT_EQ(brightness.Value(), 300);
}

TEST(SettingsControlsTest, ACheckBoxTakesOnlyZeroAndOne) {
    fakes::FakeSettingsView view;
    dialog::CheckBox box(view, ControlId::CheckMovePumpkin);
    box.SetValue(1);
    EXPECT_EQ(box.Value(), 1);
    EXPECT_EQ(FailureOf([&] { box.SetValue(-1); }), ErrorCode::InvalidPropertyValue);
    EXPECT_EQ(box.Value(), 1);
}

TEST(SettingsControlsTest, TheSwatchTakesOnlyPlain24BitColours) {
    fakes::FakeSettingsView view;
    dialog::PictureBox swatch(view, ControlId::PictureCandleColor);
    swatch.SetBackColor(0xFFFFFF);
    EXPECT_EQ(FailureOf([&] { swatch.SetBackColor(0x1000000); }), ErrorCode::InvalidPropertyValue);
    EXPECT_EQ(FailureOf([&] { swatch.SetBackColor(-2147483633); }),
              ErrorCode::InvalidPropertyValue);
    EXPECT_EQ(swatch.BackColor(), 0xFFFFFF);
}

TEST(SettingsControlsTest, ACancelledChooserFailsOnlyWhenAskedToAndKeepsItsColour) {
    fakes::FakeSettingsView view;
    dialog::ColorDialog chooser(view);
    chooser.Color = 42;
    chooser.ShowColor();
    EXPECT_EQ(chooser.Color, 42);
    chooser.CancelError = True;
    EXPECT_EQ(FailureOf([&] { chooser.ShowColor(); }), ErrorCode::Cancel);
    EXPECT_EQ(chooser.Color, 42);
    EXPECT_EQ(static_cast<int>(ErrorCode::Cancel), 32755);
}

TEST(SettingsControlsTest, TheChooserOpensWithItsColourOnlyWhenTheFlagAsksForIt) {
    fakes::FakeSettingsView view;
    dialog::ColorDialog chooser(view);
    chooser.Color = 42;
    view.chooserAnswers = {7, 9};
    chooser.ShowColor();
    chooser.Flags = dialog::ColorDialog::RgbInit;
    chooser.ShowColor();
    EXPECT_EQ(view.chooserOpenedWith, (std::vector<std::optional<std::int32_t>>{std::nullopt, 7}));
    EXPECT_EQ(chooser.Color, 9);
}

}  // namespace

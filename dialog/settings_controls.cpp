#include "dialog/settings_controls.h"

#include "common/runtime_error.h"

namespace dialog {

HScrollBar::HScrollBar(SettingsView& view, ControlId id) : view_(view), id_(id) {}

std::int16_t HScrollBar::Value() const { return view_.ScrollPosition(id_); }

void HScrollBar::SetValue(std::int16_t value) {
    const ScrollDesign& range = LayoutOf(id_).scroll;
    if (value < range.min || value > range.max) {
        throw RuntimeError(ErrorCode::InvalidPropertyValue);
    }
    view_.SetScrollPosition(id_, value);
}

CheckBox::CheckBox(SettingsView& view, ControlId id) : view_(view), id_(id) {}

std::int16_t CheckBox::Value() const { return view_.Ticked(id_) ? 1 : 0; }

void CheckBox::SetValue(std::int16_t value) {
    if (value != 0 && value != 1) throw RuntimeError(ErrorCode::InvalidPropertyValue);
    view_.SetTicked(id_, value == 1);
}

PictureBox::PictureBox(SettingsView& view, ControlId id) : view_(view), id_(id) {}

std::int32_t PictureBox::BackColor() const { return view_.BackColor(id_); }

void PictureBox::SetBackColor(std::int32_t color) {
    if (color < 0 || color > 0xFFFFFF) throw RuntimeError(ErrorCode::InvalidPropertyValue);
    view_.SetBackColor(id_, color);
}

ColorDialog::ColorDialog(SettingsView& view) : view_(view) {}

void ColorDialog::ShowColor() {
    std::optional<std::int32_t> initial;
    if (Flags & RgbInit) initial = Color;
    std::optional<std::int32_t> chosen = view_.PickColor(initial);
    if (!chosen) {
        if (CancelError) throw RuntimeError(ErrorCode::Cancel);
        return;
    }
    Color = *chosen;
}

SettingsControlSet::SettingsControlSet(SettingsView& view)
    : HScrollCandleHeight(view, ControlId::HScrollCandleHeight),
      HScrollCandlebrightness(view, ControlId::HScrollCandlebrightness),
      PictureCandleColor(view, ControlId::PictureCandleColor),
      CheckMovePumpkin(view, ControlId::CheckMovePumpkin),
      CommonDialogColor(view) {}

}  // namespace dialog

#include "dialog/frm_settings.h"

#include "common/event_note.h"
#include "common/numeric_text.h"
#include "common/runtime_error.h"
#include "dialog/open_url.h"
#include "dialog/tolerant_step.h"
#include "dialog/settings_window.h"
#include "seams/toolkit.h"
#include "seams/windows_api.h"
#include "product.h"
#include "settings/settings.h"

FrmSettings frmSettings;

namespace {

using dialog::RunTolerantStep;
using mScreenSaver::IniFilePath;
using mScreenSaver::ReadIniValue;
using mScreenSaver::Settings;

// True when the profile write reports success.
bool WriteIniValue(const char* section, const char* key, const std::string& value) {
    return platform::Windows().WritePrivateProfileStringA(section, key, value.c_str(),
                                                          IniFilePath().c_str()) != 0;
}

}  // namespace

FrmSettings::FrmSettings() = default;
FrmSettings::~FrmSettings() = default;

void FrmSettings::Load() {
    view_ = dialog::SettingsWindows().Create(*this);
    controls_ = std::make_unique<dialog::SettingsControlSet>(*view_);
    Form_Load();
}

void FrmSettings::Show() {
    view_->Show();
    NoteEvent("settings-window-shown");
}

void FrmSettings::Form_Load() {
    dialog::SettingsControlSet& c = *controls_;
    RunTolerantStep(
        [] { ReadIniValue("candle", "candleheight", Settings.candleHeight, IniFilePath()); });
    RunTolerantStep([&] { c.HScrollCandleHeight.SetValue(TextToInt16(Settings.candleHeight)); });
    RunTolerantStep([] {
        ReadIniValue("candle", "candlebrightness", Settings.candleBrightness, IniFilePath());
    });
    RunTolerantStep(
        [&] { c.HScrollCandlebrightness.SetValue(TextToInt16(Settings.candleBrightness)); });
    RunTolerantStep(
        [] { ReadIniValue("candle", "candlecolor", Settings.candleColor, IniFilePath()); });
    RunTolerantStep([&] { c.CommonDialogColor.Color = TextToInt32(Settings.candleColor); });
    RunTolerantStep([&] { c.PictureCandleColor.SetBackColor(TextToInt32(Settings.candleColor)); });
    RunTolerantStep(
        [] { ReadIniValue("pumpkin", "movePumpkin", Settings.movePumpkin, IniFilePath()); });
    RunTolerantStep([&] { c.CheckMovePumpkin.SetValue(0); });
    RunTolerantStep([&] {
        if (Settings.movePumpkin == "1") c.CheckMovePumpkin.SetValue(1);
    });
}

void FrmSettings::Form_Unload() {
    dialog::SettingsControlSet& c = *controls_;
    // Every write runs, whatever the others did; a failure is told once, afterwards.
    bool saved = true;
    RunTolerantStep([&] { Settings.candleHeight = DecimalText(c.HScrollCandleHeight.Value()); });
    RunTolerantStep(
        [&] { saved &= WriteIniValue("candle", "candleheight", Settings.candleHeight); });
    RunTolerantStep(
        [&] { Settings.candleBrightness = DecimalText(c.HScrollCandlebrightness.Value()); });
    RunTolerantStep(
        [&] { saved &= WriteIniValue("candle", "candleBrightness", Settings.candleBrightness); });
    RunTolerantStep([&] { Settings.candleColor = DecimalText(c.PictureCandleColor.BackColor()); });
    RunTolerantStep([&] { saved &= WriteIniValue("candle", "candlecolor", Settings.candleColor); });
    RunTolerantStep([] { Settings.movePumpkin = "0"; });
    RunTolerantStep([&] {
        if (c.CheckMovePumpkin.Value() == 1) Settings.movePumpkin = "1";
    });
    RunTolerantStep(
        [&] { saved &= WriteIniValue("pumpkin", "movePumpkin", Settings.movePumpkin); });

    if (saved) {
        NoteEvent("settings-saved");
        return;
    }
    NoteEvent("settings-not-saved");
    const std::string text = "The settings could not be saved to " + IniFilePath() +
                             ".\nCheck that the file and its folder may be written to.";
    NoteEvent("message-box " + QuotedForEvent(dialog::SettingsCaption) + " " +
              QuotedForEvent(text));
    platform::App().ShowMessageBox(text, platform::MbOk | platform::MbIconExclamation,
                                   dialog::SettingsCaption);
    NoteEvent("message-box-closed");
}

void FrmSettings::Unload() {
    Form_Unload();
    view_->Close();
}

void FrmSettings::Click(dialog::ControlId button) {
    switch (button) {
    case dialog::ControlId::CmdFriend: CmdFriend_Click(); break;
    case dialog::ControlId::CmdWebsite: CmdWebsite_Click(); break;
    case dialog::ControlId::CmdClose: CmdClose_Click(); break;
    case dialog::ControlId::CommandDefault: CommandDefault_Click(); break;
    case dialog::ControlId::CmdCandleColor: CmdCandleColor_Click(); break;
    default: break;
    }
}

void FrmSettings::CmdFriend_Click() {
    mScreenSaver::OpenUrl(std::string(ProductWebSite) + "/passonsoft.php?s=24");
}

void FrmSettings::CmdWebsite_Click() {
    mScreenSaver::OpenUrl(ProductWebSite);
}

void FrmSettings::CmdClose_Click() {
    Unload();
    NoteEvent("ending 0");
    platform::App().EndProcess(0);
}

void FrmSettings::CommandDefault_Click() {
    dialog::SettingsControlSet& c = *controls_;
    c.PictureCandleColor.SetBackColor(TextToInt32("145151"));
    c.CommonDialogColor.Color = 145151;
    c.HScrollCandleHeight.SetValue(TextToInt16("10"));
    c.HScrollCandlebrightness.SetValue(TextToInt16("200"));
    c.CheckMovePumpkin.SetValue(0);
}

void FrmSettings::CmdCandleColor_Click() {
    dialog::ColorDialog& chooser = controls_->CommonDialogColor;
    RunTolerantStep([&] { chooser.CancelError = True; });
    RunTolerantStep([&] { chooser.Flags = dialog::ColorDialog::RgbInit; });
    NoteEvent("color-chooser-shown");
    RunTolerantStep([&] { chooser.ShowColor(); });
    NoteEvent("color-chooser-closed");
    RunTolerantStep([&] { controls_->PictureCandleColor.SetBackColor(chooser.Color); });
}

#include "dialog/frm_settings.h"

#include <utility>

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
#include "settings/settings_files.h"
#include "settings/settings_table.h"

namespace {

using dialog::RunTolerantStep;
using mScreenSaver::CandleBrightnessSetting;
using mScreenSaver::CandleColorSetting;
using mScreenSaver::CandleHeightSetting;
using mScreenSaver::FlagOffText;
using mScreenSaver::FlagOnText;
using mScreenSaver::MovePumpkinSetting;
using mScreenSaver::ReadSetting;
using mScreenSaver::SettingDefinition;
using mScreenSaver::SettingsFiles;

bool IsDiskFull(std::uint32_t error) {
    return error == platform::ErrorDiskFull || error == platform::ErrorHandleDiskFull;
}

// Writes under the dialog's own spelling of the key; true when the write reports success.
// A write that meets a full disk may still report success (Windows' own profile functions
// cut the file short and say nothing): the last error, cleared before, tells it either way.
bool WriteSetting(const std::string& file, const SettingDefinition& setting,
                  const std::string& value, bool& diskFull) {
    platform::WindowsApi& windows = platform::Windows();
    windows.SetLastError(0);
    bool written = windows.WritePrivateProfileStringA(setting.section, setting.writtenKey,
                                                      value.c_str(), file.c_str()) != 0;
    diskFull = diskFull || IsDiskFull(windows.GetLastError());
    return written;
}

// Whether the four values read back from the file, through the same profile functions,
// are the ones just written: a write may report success and still have stored less (a
// file cut short by a full disk). Profile functions that keep a file in memory are first
// told to let it go, so that the values come from the disk.
bool StoredAsWritten(const std::string& file, const mScreenSaver::SettingsRecord& written) {
    platform::Windows().WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str());
    const std::pair<const SettingDefinition&, const std::string&> expected[] = {
        {CandleHeightSetting, written.candleHeight},
        {CandleBrightnessSetting, written.candleBrightness},
        {CandleColorSetting, written.candleColor},
        {MovePumpkinSetting, written.movePumpkin}};
    for (const auto& [setting, text] : expected) {
        std::string stored;
        mScreenSaver::ReadIniValue(setting.section, setting.readKey, stored, file);
        if (stored != text) return false;
    }
    return true;
}

// Whether the disk that holds the file has next to no room left: a failed save there was
// stopped by it, even where the profile functions gave no reason.
bool DiskNearlyFull(const std::string& file) {
    constexpr std::uint64_t NearlyFullBytes = 64 * 1024;
    std::string folder = file.substr(0, file.rfind(platform::App().PathSeparator()) + 1);
    std::uint64_t free = 0;
    return platform::Windows().GetDiskFreeSpaceExA(folder.c_str(), &free, nullptr, nullptr) != 0 &&
           free < NearlyFullBytes;
}

// A control's 16-bit value from the table; the layout checks that the bars' settings fit.
std::int16_t ControlValue(std::int32_t value) { return static_cast<std::int16_t>(value); }

}  // namespace

FrmSettings::FrmSettings(dialog::SettingsWindowFactory& windows) : windows_(windows) {}
FrmSettings::~FrmSettings() = default;

void FrmSettings::Load() {
    view_ = windows_.Create(*this);
    controls_ = std::make_unique<dialog::SettingsControlSet>(*view_);
    Form_Load();
}

void FrmSettings::Show() {
    view_->Show();
    NoteEvent("settings-window-shown");
}

void FrmSettings::Form_Load() {
    dialog::SettingsControlSet& c = *controls_;
    const std::vector<std::string> files = mScreenSaver::FindSettingsFiles().toRead;
    RunTolerantStep([&] { ReadSetting(CandleHeightSetting, Settings.candleHeight, files); });
    RunTolerantStep([&] { c.HScrollCandleHeight.SetValue(TextToInt16(Settings.candleHeight)); });
    RunTolerantStep(
        [&] { ReadSetting(CandleBrightnessSetting, Settings.candleBrightness, files); });
    RunTolerantStep(
        [&] { c.HScrollCandlebrightness.SetValue(TextToInt16(Settings.candleBrightness)); });
    RunTolerantStep([&] { ReadSetting(CandleColorSetting, Settings.candleColor, files); });
    RunTolerantStep([&] { c.CommonDialogColor.Color = TextToInt32(Settings.candleColor); });
    RunTolerantStep([&] { c.PictureCandleColor.SetBackColor(TextToInt32(Settings.candleColor)); });
    RunTolerantStep([&] { ReadSetting(MovePumpkinSetting, Settings.movePumpkin, files); });
    RunTolerantStep(
        [&] { c.CheckMovePumpkin.SetValue(ControlValue(MovePumpkinSetting.designValue)); });
    RunTolerantStep([&] {
        if (Settings.movePumpkin == FlagOnText) c.CheckMovePumpkin.SetValue(1);
    });
}

void FrmSettings::Form_Unload() {
    dialog::SettingsControlSet& c = *controls_;
    // Every write runs, whatever the others did; a failure is told once, afterwards. No
    // write goes to a per-user file that could not take the lines it must start with.
    const SettingsFiles files = mScreenSaver::FindSettingsFiles();
    const std::string& file = files.toWrite;
    const bool ready = mScreenSaver::ReadyFileToWrite(files);
    bool saved = ready;
    bool diskFull = false;
    RunTolerantStep([&] { Settings.candleHeight = DecimalText(c.HScrollCandleHeight.Value()); });
    RunTolerantStep(
        [&] { saved &= ready && WriteSetting(file, CandleHeightSetting, Settings.candleHeight, diskFull); });
    RunTolerantStep(
        [&] { Settings.candleBrightness = DecimalText(c.HScrollCandlebrightness.Value()); });
    RunTolerantStep([&] {
        saved &= ready && WriteSetting(file, CandleBrightnessSetting, Settings.candleBrightness, diskFull);
    });
    RunTolerantStep([&] { Settings.candleColor = DecimalText(c.PictureCandleColor.BackColor()); });
    RunTolerantStep(
        [&] { saved &= ready && WriteSetting(file, CandleColorSetting, Settings.candleColor, diskFull); });
    RunTolerantStep([&] { Settings.movePumpkin = FlagOffText; });
    RunTolerantStep([&] {
        if (c.CheckMovePumpkin.Value() == 1) Settings.movePumpkin = FlagOnText;
    });
    RunTolerantStep(
        [&] { saved &= ready && WriteSetting(file, MovePumpkinSetting, Settings.movePumpkin, diskFull); });
    saved = saved && StoredAsWritten(file, Settings);

    if (saved) {
        NoteEvent("settings-saved");
        return;
    }
    NoteEvent("settings-not-saved");
    diskFull = diskFull || (ready && DiskNearlyFull(file));
    const std::string text =
        "The settings could not be saved to " + file +
        (diskFull ? ": the disk is full." : ".\nCheck that the file and its folder may be written to.");
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
    c.PictureCandleColor.SetBackColor(CandleColorSetting.defaultValue);
    c.CommonDialogColor.Color = CandleColorSetting.defaultValue;
    c.HScrollCandleHeight.SetValue(ControlValue(CandleHeightSetting.defaultValue));
    c.HScrollCandlebrightness.SetValue(ControlValue(CandleBrightnessSetting.defaultValue));
    c.CheckMovePumpkin.SetValue(ControlValue(MovePumpkinSetting.defaultValue));
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

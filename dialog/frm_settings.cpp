#include "dialog/frm_settings.h"

#include <array>
#include <utility>

#include "common/event_note.h"
#include "common/numeric_text.h"
#include "common/runtime_error.h"
#include "dialog/open_url.h"
#include "dialog/save_report.h"
#include "dialog/settings_layout.h"
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

// The four values as the dialog names them, in the order they are written: the captions
// of the controls that show them.
const std::array<const char*, 4> ValueLabels = {
    dialog::LayoutOf(dialog::ControlId::Label6).caption, dialog::LayoutOf(dialog::ControlId::Label3).caption,
    dialog::LayoutOf(dialog::ControlId::CmdCandleColor).caption,
    dialog::LayoutOf(dialog::ControlId::CheckMovePumpkin).caption};

// What the last error, cleared before a call, says stopped it.
void NoteWriteError(dialog::SaveReport& report) {
    std::uint32_t error = platform::Windows().GetLastError();
    report.diskFull = report.diskFull || error == platform::ErrorDiskFull || error == platform::ErrorHandleDiskFull;
    report.tooLarge = report.tooLarge || error == platform::ErrorFileTooLarge;
}

// Writes under the dialog's own spelling of the key. A write that meets a full disk may
// still report success (Windows' own profile functions cut the file short and say
// nothing): the last error tells it either way, and the values read back tell what landed.
void WriteSetting(const std::string& file, const SettingDefinition& setting, const std::string& value,
                  dialog::SaveReport& report) {
    platform::Windows().SetLastError(0);
    platform::Windows().WritePrivateProfileStringA(setting.section, setting.writtenKey, value.c_str(),
                                                   file.c_str());
    NoteWriteError(report);
}

// Which of the four values read back from the file, through the same profile functions, as
// they were just written: Windows writes one value at a time, and a write may report
// success and still have stored less (a file cut short by a full disk). Profile functions
// that keep a file in memory are first told to let it go, so that the values come from the
// disk; the Linux ones save the four writes there as one.
void ReadBack(const std::string& file, const mScreenSaver::SettingsRecord& written, dialog::SaveReport& report) {
    platform::Windows().SetLastError(0);
    platform::Windows().WritePrivateProfileStringA(nullptr, nullptr, nullptr, file.c_str());
    NoteWriteError(report);
    const std::pair<const SettingDefinition&, const std::string&> expected[] = {
        {CandleHeightSetting, written.candleHeight},
        {CandleBrightnessSetting, written.candleBrightness},
        {CandleColorSetting, written.candleColor},
        {MovePumpkinSetting, written.movePumpkin}};
    std::size_t next = 0;
    for (const auto& [setting, text] : expected) {
        std::string stored;
        mScreenSaver::ReadIniValue(setting.section, setting.readKey, stored, file);
        report.values.push_back({ValueLabels[next++], stored == text});
    }
}

// The values as not saved, when no write could be made.
void NoneWritten(dialog::SaveReport& report) {
    for (const char* label : ValueLabels) report.values.push_back({label, false});
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
    // Every write runs, whatever the others did; what landed is told once, afterwards. No
    // write goes to a per-user file that could not take the lines it must start with.
    const SettingsFiles files = mScreenSaver::FindSettingsFiles();
    const std::string& file = files.toWrite;
    dialog::SaveReport report;
    report.file = file;
    report.seed = files.seed;
    report.seedOutcome = mScreenSaver::ReadyFileToWrite(files);
    const bool ready = mScreenSaver::WritesMayFollow(report.seedOutcome);
    report.diskFull = report.seedOutcome == platform::SeedOutcome::DiskFull;
    RunTolerantStep([&] { Settings.candleHeight = DecimalText(c.HScrollCandleHeight.Value()); });
    RunTolerantStep([&] { if (ready) WriteSetting(file, CandleHeightSetting, Settings.candleHeight, report); });
    RunTolerantStep(
        [&] { Settings.candleBrightness = DecimalText(c.HScrollCandlebrightness.Value()); });
    RunTolerantStep(
        [&] { if (ready) WriteSetting(file, CandleBrightnessSetting, Settings.candleBrightness, report); });
    RunTolerantStep([&] { Settings.candleColor = DecimalText(c.PictureCandleColor.BackColor()); });
    RunTolerantStep([&] { if (ready) WriteSetting(file, CandleColorSetting, Settings.candleColor, report); });
    RunTolerantStep([&] { Settings.movePumpkin = FlagOffText; });
    RunTolerantStep([&] {
        if (c.CheckMovePumpkin.Value() == 1) Settings.movePumpkin = FlagOnText;
    });
    RunTolerantStep([&] { if (ready) WriteSetting(file, MovePumpkinSetting, Settings.movePumpkin, report); });
    if (ready) {
        ReadBack(file, Settings, report);
    } else {
        NoneWritten(report);
    }

    const bool saved = dialog::AllLanded(report);
    NoteEvent(saved ? "settings-saved" : "settings-not-saved");
    report.diskFull = report.diskFull || (ready && !saved && DiskNearlyFull(file));
    const std::string text = dialog::SaveReportText(report);
    if (text.empty()) return;
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

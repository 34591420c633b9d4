// The settings dialog's logic over a fake window: what it loads, what it writes, how it
// treats texts its controls cannot take, the colour chooser, the links, a failed save,
// and which settings file it reads and writes (also on real files).
#include <gtest/gtest.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "common/runtime_error.h"
#include "dialog/frm_settings.h"
#include "fakes/call_log.h"
#include "fakes/disk_toolkit.h"
#include "fakes/fake_settings_view.h"
#include "fakes/fake_toolkit.h"
#include "fakes/fake_windows_api.h"
#include "fakes/ini_windows_api.h"
#include "support/case_names.h"
#include "support/temporary_folder.h"
#include "product.h"
#include "settings/settings.h"
#include "settings/settings_table.h"

namespace {

using dialog::ControlId;
using mScreenSaver::CandleBrightnessSetting;
using mScreenSaver::CandleColorSetting;
using mScreenSaver::CandleHeightSetting;
using mScreenSaver::FlagOffText;
using mScreenSaver::FlagOnText;
using mScreenSaver::MovePumpkinSetting;
using mScreenSaver::SettingDefinition;
using mScreenSaver::SettingsTable;

const std::string IniPath = "C:\\Program Files\\Kelvora\\kelvora.ini";
const std::string UserIniPath = "C:\\Users\\Ann\\AppData\\Roaming\\Kelvora\\kelvora.ini";

std::string Text(std::int32_t value) { return std::to_string(value); }

// The dialog's write of a setting, under its own spelling of the key.
std::string Write(const SettingDefinition& setting, const std::string& value,
                  const std::string& file = IniPath) {
    return std::string("WritePrivateProfileStringA(\"") + setting.section + "\", \"" +
           setting.writtenKey + "\", \"" + value + "\", \"" + file + "\")";
}

std::vector<std::string> FourWrites(const std::string& height, const std::string& brightness,
                                    const std::string& color, const std::string& move,
                                    const std::string& file = IniPath) {
    return {Write(CandleHeightSetting, height, file),
            Write(CandleBrightnessSetting, brightness, file),
            Write(CandleColorSetting, color, file), Write(MovePumpkinSetting, move, file)};
}

// The writes as the dialog makes them: each with the last error cleared before and asked
// for after.
std::vector<std::string> WriteCalls(const std::vector<std::string>& writes) {
    std::vector<std::string> calls;
    for (const std::string& write : writes) {
        calls.insert(calls.end(), {"SetLastError(0)", write, "GetLastError()"});
    }
    return calls;
}

// A whole save: the four writes, then the file let go from memory and the four values
// read back from it.
std::vector<std::string> SaveCalls(const std::string& height, const std::string& brightness,
                                   const std::string& color, const std::string& move,
                                   const std::string& file = IniPath) {
    std::vector<std::string> calls = WriteCalls(FourWrites(height, brightness, color, move, file));
    calls.insert(calls.end(), {"SetLastError(0)", "WritePrivateProfileStringA(null, null, null, \"" + file + "\")",
                               "GetLastError()"});
    for (const SettingDefinition& setting : SettingsTable) {
        calls.push_back(std::string("GetPrivateProfileStringA(\"") + setting.section + "\", \"" +
                        setting.readKey + "\", \"\", 255, \"" + file + "\")");
    }
    return calls;
}

// Where the setting's write comes among the four.
std::size_t WriteOrder(const SettingDefinition& setting) {
    for (std::size_t i = 0; i < SettingsTable.size(); ++i) {
        if (std::string(SettingsTable[i].name) == setting.name) return i;
    }
    throw std::invalid_argument(setting.name);
}

class SettingsDialogTest : public testing::Test {
protected:
    void SetUp() override {
        toolkit_ = &fakes::InstallFakeToolkit();
        windows_ = &fakes::InstallFakeWindowsApi();
    }

    void Store(const SettingDefinition& setting, const std::string& value,
               const std::string& file = IniPath) {
        windows_->profile[fakes::FakeWindowsApi::ProfileKey(file, setting.section,
                                                            setting.writtenKey)] = value;
    }

    void StoreAll(const std::string& height, const std::string& brightness,
                  const std::string& color, const std::string& move) {
        Store(CandleHeightSetting, height);
        Store(CandleBrightnessSetting, brightness);
        Store(CandleColorSetting, color);
        Store(MovePumpkinSetting, move);
    }

    fakes::FakeSettingsView& LoadDialog() {
        form_.Load();
        return fakes::LastSettingsView();
    }

    // Presses Close; the process ends there.
    void PressClose() {
        fakes::Log().Clear();
        EXPECT_THROW(form_.Click(ControlId::CmdClose), fakes::ProcessEnded);
    }

    // The writes of values, without the one that lets the file go from memory.
    std::vector<std::string> Writes() const {
        return fakes::Log().Matching("WritePrivateProfileStringA(\"");
    }

    fakes::FakeToolkit* toolkit_ = nullptr;
    fakes::FakeWindowsApi* windows_ = nullptr;
    FrmSettings form_{fakes::FakeSettingsWindows()};
};

TEST_F(SettingsDialogTest, LoadReadsTheFourKeysFromTheFileBesideTheExecutable) {
    LoadDialog();
    std::vector<std::string> reads = fakes::Log().Matching("GetPrivateProfileStringA");
    std::vector<std::string> expected;
    for (const SettingDefinition& setting : SettingsTable) {
        expected.push_back(std::string("GetPrivateProfileStringA(\"") + setting.section + "\", \"" +
                           setting.readKey + "\", \"\", 255, \"" + IniPath + "\")");
    }
    EXPECT_EQ(reads, expected);
}

TEST_F(SettingsDialogTest, LoadFillsTheControlsFromTheFile) {
    StoreAll("7", "250", "255", "1");
    fakes::FakeSettingsView& view = LoadDialog();
    EXPECT_EQ(view.positions.at(ControlId::HScrollCandleHeight), 7);
    EXPECT_EQ(view.positions.at(ControlId::HScrollCandlebrightness), 250);
    EXPECT_EQ(view.swatchColor, 255);
    EXPECT_TRUE(view.ticked);
    EXPECT_FALSE(view.shown);
    form_.Show();
    EXPECT_TRUE(view.shown);
}

TEST_F(SettingsDialogTest, WithoutAFileTheControlsKeepTheirDesignAndClosingSavesThat) {
    fakes::FakeSettingsView& view = LoadDialog();
    EXPECT_EQ(view.positions.at(ControlId::HScrollCandleHeight), CandleHeightSetting.designValue);
    EXPECT_EQ(view.positions.at(ControlId::HScrollCandlebrightness),
              CandleBrightnessSetting.designValue);
    EXPECT_EQ(view.swatchColor, CandleColorSetting.designValue);
    EXPECT_EQ(view.ticked, MovePumpkinSetting.designValue == 1);
    PressClose();
    EXPECT_EQ(Writes(), FourWrites(Text(CandleHeightSetting.designValue),
                                   Text(CandleBrightnessSetting.designValue),
                                   Text(CandleColorSetting.designValue),
                                   Text(MovePumpkinSetting.designValue)));
}

struct StoredBarCase {
    const SettingDefinition* setting;
    std::string text;
    ControlId bar;
    std::int32_t shown;
};

class StoredBarTextTest : public SettingsDialogTest,
                          public testing::WithParamInterface<StoredBarCase> {};

// A text the bar cannot take leaves the bar at its design position, and closing writes
// that position: the stored value is lost.
TEST_P(StoredBarTextTest, BarShowsTheStoredValueOrKeepsItsDesignPosition) {
    const StoredBarCase& c = GetParam();
    Store(*c.setting, c.text);
    fakes::FakeSettingsView& view = LoadDialog();
    EXPECT_EQ(view.positions.at(c.bar), c.shown);
    PressClose();
    EXPECT_EQ(Writes().at(WriteOrder(*c.setting)), Write(*c.setting, Text(c.shown)));
}

constexpr const SettingDefinition& Height = CandleHeightSetting;
constexpr const SettingDefinition& Brightness = CandleBrightnessSetting;
constexpr ControlId HeightBar = ControlId::HScrollCandleHeight;
constexpr ControlId BrightnessBar = ControlId::HScrollCandlebrightness;

INSTANTIATE_TEST_SUITE_P(
    Texts, StoredBarTextTest,
    testing::Values(
        StoredBarCase{&Height, Text(Height.max + 1), HeightBar, Height.designValue},
        StoredBarCase{&Height, Text(Height.min - 1), HeightBar, Height.designValue},
        StoredBarCase{&Height, Text(Height.min), HeightBar, Height.min},
        StoredBarCase{&Height, Text(Height.max), HeightBar, Height.max},
        StoredBarCase{&Height, Text(Height.max - 3), HeightBar, Height.max - 3},
        StoredBarCase{&Height, "", HeightBar, Height.designValue},
        StoredBarCase{&Height, "tall", HeightBar, Height.designValue},
        // Beyond a 16-bit integer.
        StoredBarCase{&Height, "70000", HeightBar, Height.designValue},
        StoredBarCase{&Brightness, Text(Brightness.min - 1), BrightnessBar,
                      Brightness.designValue},
        StoredBarCase{&Brightness, Text(Brightness.min), BrightnessBar, Brightness.min},
        StoredBarCase{&Brightness, Text(Brightness.max), BrightnessBar, Brightness.max},
        StoredBarCase{&Brightness, Text(Brightness.max + 1), BrightnessBar,
                      Brightness.designValue},
        // Halves round to even.
        StoredBarCase{&Brightness, "2.5", BrightnessBar, 2}),
    [](const auto& info) { return support::CaseName({info.param.setting->name, info.param.text}); });

struct MoveTextCase {
    const char* stored;
    bool ticked;
    const char* written;
};

class StoredMoveTextTest : public SettingsDialogTest,
                           public testing::WithParamInterface<MoveTextCase> {};

TEST_P(StoredMoveTextTest, OnlyExactlyOneTicksTheBox) {
    const MoveTextCase& c = GetParam();
    Store(MovePumpkinSetting, c.stored);
    fakes::FakeSettingsView& view = LoadDialog();
    EXPECT_EQ(view.ticked, c.ticked);
    PressClose();
    EXPECT_EQ(Writes().at(WriteOrder(MovePumpkinSetting)), Write(MovePumpkinSetting, c.written));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, StoredMoveTextTest,
    testing::Values(MoveTextCase{FlagOnText, true, FlagOnText},
                    MoveTextCase{"01", false, FlagOffText},
                    MoveTextCase{"true", false, FlagOffText}, MoveTextCase{"", false, FlagOffText},
                    MoveTextCase{"0", false, FlagOffText}, MoveTextCase{"-1", false, FlagOffText}),
    [](const auto& info) { return support::CaseName({"Stored", info.param.stored}); });

TEST_F(SettingsDialogTest, UntickingTheBoxWritesTheOffText) {
    Store(MovePumpkinSetting, FlagOnText);
    fakes::FakeSettingsView& view = LoadDialog();
    view.ticked = false;
    PressClose();
    EXPECT_EQ(Writes().at(WriteOrder(MovePumpkinSetting)), Write(MovePumpkinSetting, FlagOffText));
}

struct StoredColorCase {
    std::string text;
    std::int32_t shown;
};

class StoredColorTextTest : public SettingsDialogTest,
                            public testing::WithParamInterface<StoredColorCase> {};

TEST_P(StoredColorTextTest, SwatchShowsAPlainColourOrKeepsItsDesignColour) {
    Store(CandleColorSetting, GetParam().text);
    fakes::FakeSettingsView& view = LoadDialog();
    EXPECT_EQ(view.swatchColor, GetParam().shown);
}

constexpr const SettingDefinition& Color = CandleColorSetting;

INSTANTIATE_TEST_SUITE_P(
    Texts, StoredColorTextTest,
    testing::Values(StoredColorCase{Text(Color.min), Color.min},
                    StoredColorCase{Text(Color.max), Color.max},
                    StoredColorCase{Text(Color.max + 1), Color.designValue},
                    StoredColorCase{Text(Color.min - 1), Color.designValue},
                    StoredColorCase{"orange", Color.designValue},
                    StoredColorCase{"", Color.designValue}),
    [](const auto& info) { return support::CaseName({"Stored", info.param.text}); });

TEST_F(SettingsDialogTest, OpeningAndClosingWithoutAChangeRewritesTheSameValues) {
    StoreAll("3", "120", "65280", "1");
    LoadDialog();
    PressClose();
    EXPECT_EQ(Writes(), FourWrites("3", "120", "65280", "1"));
}

TEST_F(SettingsDialogTest, DefaultsThenCloseWritesTheDefaultsInOrderAndEndsTheProcess) {
    StoreAll("3", "120", "65280", "1");
    fakes::FakeSettingsView& view = LoadDialog();
    form_.Click(ControlId::CommandDefault);
    fakes::Log().Clear();
    try {
        form_.Click(ControlId::CmdClose);
        ADD_FAILURE() << "Close did not end the process";
    } catch (const fakes::ProcessEnded& ended) {
        EXPECT_EQ(ended.exitCode, 0);
    }
    std::vector<std::string> expected = SaveCalls(
        Text(CandleHeightSetting.defaultValue), Text(CandleBrightnessSetting.defaultValue),
        Text(CandleColorSetting.defaultValue), Text(MovePumpkinSetting.defaultValue));
    expected.push_back("EndProcess(0)");
    EXPECT_EQ(fakes::Log().Calls(), expected);
    EXPECT_TRUE(view.closed);
    EXPECT_EQ(form_.Settings.candleBrightness, Text(CandleBrightnessSetting.defaultValue));
}

TEST_F(SettingsDialogTest, DefaultsChangesOnlyTheControls) {
    StoreAll("3", "120", "65280", "1");
    fakes::FakeSettingsView& view = LoadDialog();
    fakes::Log().Clear();
    form_.Click(ControlId::CommandDefault);
    EXPECT_TRUE(Writes().empty());
    EXPECT_EQ(view.positions.at(ControlId::HScrollCandleHeight), CandleHeightSetting.defaultValue);
    EXPECT_EQ(view.positions.at(ControlId::HScrollCandlebrightness),
              CandleBrightnessSetting.defaultValue);
    EXPECT_EQ(view.swatchColor, CandleColorSetting.defaultValue);
    EXPECT_EQ(view.ticked, MovePumpkinSetting.defaultValue == 1);
}

TEST_F(SettingsDialogTest, ClosingThroughTheWindowSystemWritesTheSettingsAndLeavesTheProcess) {
    StoreAll("3", "120", "65280", "0");
    fakes::FakeSettingsView& view = LoadDialog();
    view.positions.at(ControlId::HScrollCandleHeight) = 9;
    fakes::Log().Clear();
    view.events->Form_Unload();
    EXPECT_EQ(fakes::Log().Calls(), SaveCalls("9", "120", "65280", "0"));
}

// What happens to the colour before the user cancels the chooser.
enum class BeforeCancel { Loaded, Chosen, Defaults };
constexpr const char* BeforeCancelNames[] = {"Loaded", "Chosen", "Defaults"};

struct CancelCase {
    BeforeCancel before;
    std::int32_t expected;
};

class CancelledChooserTest : public SettingsDialogTest,
                             public testing::WithParamInterface<CancelCase> {};

TEST_P(CancelledChooserTest, LeavesTheSwatchAndTheSavedColourAsTheyWere) {
    Store(CandleColorSetting, "65280");
    fakes::FakeSettingsView& view = LoadDialog();
    if (GetParam().before == BeforeCancel::Chosen) {
        view.chooserAnswers.push_back(255);
        form_.Click(ControlId::CmdCandleColor);
    } else if (GetParam().before == BeforeCancel::Defaults) {
        form_.Click(ControlId::CommandDefault);
    }
    view.chooserAnswers.push_back(std::nullopt);
    form_.Click(ControlId::CmdCandleColor);

    EXPECT_EQ(view.chooserOpenedWith.back(), GetParam().expected);
    EXPECT_EQ(view.swatchColor, GetParam().expected);
    PressClose();
    EXPECT_EQ(Writes().at(WriteOrder(CandleColorSetting)),
              Write(CandleColorSetting, Text(GetParam().expected)));
}

INSTANTIATE_TEST_SUITE_P(
    Before, CancelledChooserTest,
    testing::Values(CancelCase{BeforeCancel::Loaded, 65280}, CancelCase{BeforeCancel::Chosen, 255},
                    CancelCase{BeforeCancel::Defaults, CandleColorSetting.defaultValue}),
    [](const auto& info) { return std::string(BeforeCancelNames[static_cast<int>(info.param.before)]); });

TEST_F(SettingsDialogTest, AConfirmedColourShowsInTheSwatchAndIsSavedOnClose) {
    Store(CandleColorSetting, "65280");
    fakes::FakeSettingsView& view = LoadDialog();
    view.chooserAnswers.push_back(0x102030);
    form_.Click(ControlId::CmdCandleColor);
    EXPECT_EQ(view.chooserOpenedWith, (std::vector<std::optional<std::int32_t>>{65280}));
    EXPECT_EQ(view.swatchColor, 0x102030);
    PressClose();
    EXPECT_EQ(Writes().at(WriteOrder(CandleColorSetting)),
              Write(CandleColorSetting, Text(0x102030)));
}

TEST_F(SettingsDialogTest, TheLinksOpenTheTellAFriendPageAndTheWebSite) {
    LoadDialog();
    fakes::Log().Clear();
    form_.Click(ControlId::CmdFriend);
    form_.Click(ControlId::CmdWebsite);
    std::string site = ProductWebSite;
    EXPECT_EQ(fakes::Log().Calls(),
              (std::vector<std::string>{
                  "ShellExecuteA(0, null, \"" + site + "/passonsoft.php?s=24\", null, null, 1)",
                  "ShellExecuteA(0, null, \"" + site + "\", null, null, 1)"}));
}

// A write that reports failure, or one that reports success but whose value does not
// read back, is told once after all four writes, naming the file and a full disk.
TEST_F(SettingsDialogTest, AFailedSaveIsToldNamingTheFileAfterAllFourWrites) {
    struct Case {
        const char* name;
        bool writesFail;
        std::uint32_t error;
        bool writesLost;
        std::uint64_t freeDiskBytes;
        const char* told;
        // How many writes land before the others fail; all fail when negative.
        int landing = -1;
        const char* opening = "The settings could not be saved to ";
    };
    const Case cases[] = {
        {"refused", true, 5, false, 1u << 30, ".\nCheck that the file and its folder may be written to."},
        {"disk full", true, platform::ErrorDiskFull, false, 1u << 30, ": the disk is full."},
        {"handle disk full", true, platform::ErrorHandleDiskFull, false, 1u << 30, ": the disk is full."},
        {"reported saved, stored nothing", false, 0, true, 1u << 30,
         ".\nCheck that the file and its folder may be written to."},
        {"reported saved on a full disk, stored nothing", false, platform::ErrorDiskFull, true, 1u << 30,
         ": the disk is full."},
        // Windows' own profile functions cut a file short on a full disk and say nothing.
        {"reported saved, stored nothing, no room left", false, 0, true, 512, ": the disk is full."},
        {"too large", true, platform::ErrorFileTooLarge, false, 1u << 30, ": the settings file is too large."},
        // Windows writes one value at a time: what landed before the disk filled is told.
        {"two of four landed", true, platform::ErrorDiskFull, false, 1u << 30,
         ": the disk is full.\nSaved: Candle Height, Candle Brightness.\nNot saved: Candle Color, "
         "Move Pumpkin with Mouse.",
         2, "Only some of the settings could be saved to "},
    };
    for (const Case& c : cases) {
        SetUp();
        StoreAll("3", "120", "65280", "1");
        LoadDialog();
        StoreAll("", "", "", "");
        windows_->profileWritesFail = c.writesFail;
        windows_->profileWriteError = c.error;
        windows_->profileWritesLost = c.writesLost;
        windows_->freeDiskBytes = c.freeDiskBytes;
        windows_->profileWritesLanding = c.landing;
        PressClose();
        std::vector<std::string> calls = fakes::Log().Calls();
        ASSERT_GE(calls.size(), 2u) << c.name;
        EXPECT_EQ(Writes(), FourWrites("3", "120", "65280", "1")) << c.name;
        EXPECT_EQ(calls[calls.size() - 2], "MessageBox(" + std::string(c.opening) + IniPath + c.told +
                                               ", 48, Kelvora Screen Saver)")
            << c.name;
        EXPECT_EQ(calls.back(), "EndProcess(0)") << c.name;
    }
}

std::string SaveFailure(const std::string& file) {
    return "MessageBox(The settings could not be saved to " + file +
           ".\nCheck that the file and its folder may be written to., 48, Kelvora Screen Saver)";
}

std::vector<std::string> Joined(std::vector<std::string> first,
                                const std::vector<std::string>& then) {
    first.insert(first.end(), then.begin(), then.end());
    return first;
}

// Which file the dialog reads and writes: the one beside the executable where it can be
// written, else the per-user one, which is seeded from it before the first write.
TEST_F(SettingsDialogTest, ReadsAndWritesTheFileThatCanBeWritten) {
    struct Case {
        const char* name;
        bool besideWritable;
        bool perUserFolder;
        bool perUserHolds;
        platform::SeedOutcome seeded;
        bool writesFail;
        const char* shownHeight;
        std::vector<std::string> calls;
    };
    const std::string seed = fakes::Call("SeedFileFrom", UserIniPath, IniPath);
    using platform::SeedOutcome;
    const std::string leftOut = "MessageBox(The settings were saved to " + UserIniPath + ".\nNothing of " + IniPath;
    const Case cases[] = {
        // A per-user file that another copy saved does not override a portable copy.
        {"writable folder", true, true, true, SeedOutcome::Ready, false, "3", SaveCalls("3", "120", "255", "1")},
        {"read-only folder, per-user file", false, true, true, SeedOutcome::Ready, false, "7",
         Joined({seed}, SaveCalls("7", "120", "255", "1", UserIniPath))},
        {"read-only folder, no per-user file", false, true, false, SeedOutcome::Ready, false, "3",
         Joined({seed}, SaveCalls("3", "120", "255", "1", UserIniPath))},
        // Without the lines of the file beside the executable nothing is written.
        {"per-user file cannot be seeded", false, true, false, SeedOutcome::Failed, false, "3",
         {seed, SaveFailure(UserIniPath)}},
        {"per-user file cannot be seeded, disk full", false, true, false, SeedOutcome::DiskFull, false, "3",
         {seed, "MessageBox(The settings could not be saved to " + UserIniPath +
                    ": the disk is full., 48, Kelvora Screen Saver)"}},
        // A file beside the executable that is no settings file still gives the user one.
        {"beside file no regular file", false, true, false, SeedOutcome::SourceNoFile, false, "3",
         Joined(Joined({seed}, SaveCalls("3", "120", "255", "1", UserIniPath)),
                {leftOut + " could be kept: it is no regular file that can be read (a folder, a device or a "
                           "loop of links)., 48, Kelvora Screen Saver)"})},
        {"beside file too large", false, true, false, SeedOutcome::SourceTooLarge, false, "3",
         Joined(Joined({seed}, SaveCalls("3", "120", "255", "1", UserIniPath)),
                {leftOut + " could be kept: the settings file is too large., 48, Kelvora Screen Saver)"})},
        // A refused write over values the file holds already loses nothing.
        {"no per-user folder", false, false, false, SeedOutcome::Ready, true, "3", SaveCalls("3", "120", "255", "1")},
    };
    for (const auto& c : cases) {
        SetUp();
        if (!c.besideWritable) toolkit_->readOnlyFiles.insert(IniPath);
        if (!c.perUserFolder) toolkit_->userFolder = "";
        toolkit_->seedOutcome = c.seeded;
        windows_->profileWritesFail = c.writesFail;
        StoreAll("3", "120", "255", "1");
        if (c.perUserHolds) Store(CandleHeightSetting, "7", UserIniPath);
        fakes::FakeSettingsView& view = LoadDialog();
        EXPECT_EQ(Text(view.positions.at(ControlId::HScrollCandleHeight)), c.shownHeight)
            << c.name;
        PressClose();
        std::vector<std::string> calls = fakes::Log().Calls();
        calls.pop_back();  // EndProcess
        EXPECT_EQ(calls, c.calls) << c.name;
    }
}

// On real files: the read-only folder's file is copied to the per-user folder, every line
// of it, before the four values are written there; the next dialog opens with them.
TEST_F(SettingsDialogTest, ARealReadOnlyFolderSendsTheSaveToAPerUserCopy) {
    fakes::TemporaryFolder root;
    const std::filesystem::path app = root.Path() / "app";
    std::filesystem::create_directory(app);
    const std::string beside = (app / "kelvora.ini").string();
    const std::string original =
        "; set by the administrator\r\n[candle]\r\ncandleheight=3\r\ncandleBrightness=120\r\n"
        "[sounds]\r\nchime=bell\r\n[pumpkin]\r\nmovePumpkin=1\r\n";
    fakes::WriteFileBytes(beside, original);
    std::filesystem::permissions(beside, std::filesystem::perms::owner_read);
    std::filesystem::permissions(app, std::filesystem::perms::owner_read |
                                          std::filesystem::perms::owner_exec);
    const std::string userFolder = (root.Path() / "config" / "kelvora").string();
    fakes::InstallDiskToolkit(app.string(), userFolder);
    fakes::InstallIniWindowsApi();

    LoadDialog();
    form_.Click(ControlId::CommandDefault);
    PressClose();
    EXPECT_TRUE(fakes::Log().Matching("MessageBox").empty());
    EXPECT_EQ(fakes::FileBytes(beside), original);
    EXPECT_EQ(fakes::FileBytes(userFolder + "/kelvora.ini"),
              "; set by the administrator\r\n[candle]\r\ncandleheight=10\r\n"
              "candleBrightness=200\r\ncandlecolor=145151\r\n[sounds]\r\nchime=bell\r\n"
              "[pumpkin]\r\nmovePumpkin=0\r\n");

    fakes::FakeSettingsView& again = LoadDialog();
    EXPECT_EQ(again.positions.at(ControlId::HScrollCandleHeight), CandleHeightSetting.defaultValue);
    EXPECT_EQ(again.positions.at(ControlId::HScrollCandlebrightness),
              CandleBrightnessSetting.defaultValue);
    EXPECT_FALSE(again.ticked);
    std::filesystem::permissions(app, std::filesystem::perms::owner_all);
}

TEST_F(SettingsDialogTest, ASuccessfulSaveShowsNoMessage) {
    LoadDialog();
    PressClose();
    EXPECT_TRUE(fakes::Log().Matching("MessageBox").empty());
}

}  // namespace

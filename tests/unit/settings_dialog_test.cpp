// The settings dialog's logic over a fake window: what it loads, what it writes, how it
// treats texts its controls cannot take, the colour chooser, the links and a failed save.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/runtime_error.h"
#include "dialog/frm_settings.h"
#include "fakes/call_log.h"
#include "fakes/fake_settings_view.h"
#include "fakes/fake_toolkit.h"
#include "fakes/fake_windows_api.h"
#include "product.h"
#include "settings/settings.h"

namespace {

using dialog::ControlId;

const std::string IniPath = "C:\\Program Files\\Kelvora\\kelvora.ini";

std::string Write(const std::string& section, const std::string& key, const std::string& value) {
    return "WritePrivateProfileStringA(\"" + section + "\", \"" + key + "\", \"" + value +
           "\", \"" + IniPath + "\")";
}

std::vector<std::string> FourWrites(const std::string& height, const std::string& brightness,
                                    const std::string& color, const std::string& move) {
    return {Write("candle", "candleheight", height),
            Write("candle", "candleBrightness", brightness), Write("candle", "candlecolor", color),
            Write("pumpkin", "movePumpkin", move)};
}

class SettingsDialogTest : public testing::Test {
protected:
    void SetUp() override {
        fakes::InstallFakeToolkit();
        windows_ = &fakes::InstallFakeWindowsApi();
        fakes::InstallFakeSettingsWindows();
        mScreenSaver::Settings = {};
    }

    void Store(const std::string& section, const std::string& key, const std::string& value) {
        windows_->profile[fakes::FakeWindowsApi::ProfileKey(IniPath, section, key)] = value;
    }

    void StoreAll(const std::string& height, const std::string& brightness,
                  const std::string& color, const std::string& move) {
        Store("candle", "candleheight", height);
        Store("candle", "candleBrightness", brightness);
        Store("candle", "candlecolor", color);
        Store("pumpkin", "movePumpkin", move);
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

    std::vector<std::string> Writes() const {
        return fakes::Log().Matching("WritePrivateProfileStringA");
    }

    fakes::FakeWindowsApi* windows_ = nullptr;
    FrmSettings form_;
};

TEST_F(SettingsDialogTest, LoadReadsTheFourKeysFromTheFileBesideTheExecutable) {
    LoadDialog();
    std::vector<std::string> reads = fakes::Log().Matching("GetPrivateProfileStringA");
    std::vector<std::string> expected;
    for (auto [section, key] : {std::pair{"candle", "candleheight"},
                                {"candle", "candlebrightness"},
                                {"candle", "candlecolor"},
                                {"pumpkin", "movePumpkin"}}) {
        expected.push_back(std::string("GetPrivateProfileStringA(\"") + section + "\", \"" + key +
                           "\", \"\", 255, \"" + IniPath + "\")");
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
    EXPECT_EQ(view.positions.at(ControlId::HScrollCandleHeight), 15);
    EXPECT_EQ(view.positions.at(ControlId::HScrollCandlebrightness), 15);
    EXPECT_EQ(view.swatchColor, 145151);
    EXPECT_FALSE(view.ticked);
    PressClose();
    EXPECT_EQ(Writes(), FourWrites("15", "15", "145151", "0"));
}

struct StoredBarCase {
    const char* key;
    const char* text;
    ControlId bar;
    std::int16_t shown;
};

class StoredBarTextTest : public SettingsDialogTest,
                          public testing::WithParamInterface<StoredBarCase> {};

// A text the bar cannot take leaves the bar at its design position, and closing writes
// that position: the stored value is lost.
TEST_P(StoredBarTextTest, BarShowsTheStoredValueOrKeepsItsDesignPosition) {
    const StoredBarCase& c = GetParam();
    Store("candle", c.key, c.text);
    fakes::FakeSettingsView& view = LoadDialog();
    EXPECT_EQ(view.positions.at(c.bar), c.shown);
    PressClose();
    std::string key = c.bar == ControlId::HScrollCandleHeight ? "candleheight" : "candleBrightness";
    EXPECT_EQ(Writes().at(c.bar == ControlId::HScrollCandleHeight ? 0 : 1),
              Write("candle", key, std::to_string(c.shown)));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, StoredBarTextTest,
    testing::Values(
        StoredBarCase{"candleheight", "20", ControlId::HScrollCandleHeight, 15},
        StoredBarCase{"candleheight", "-1", ControlId::HScrollCandleHeight, 15},
        StoredBarCase{"candleheight", "0", ControlId::HScrollCandleHeight, 0},
        StoredBarCase{"candleheight", "12", ControlId::HScrollCandleHeight, 12},
        StoredBarCase{"candleheight", "", ControlId::HScrollCandleHeight, 15},
        StoredBarCase{"candleheight", "tall", ControlId::HScrollCandleHeight, 15},
        StoredBarCase{"candleheight", "70000", ControlId::HScrollCandleHeight, 15},
        StoredBarCase{"candlebrightness", "0", ControlId::HScrollCandlebrightness, 15},
        StoredBarCase{"candlebrightness", "1", ControlId::HScrollCandlebrightness, 1},
        StoredBarCase{"candlebrightness", "300", ControlId::HScrollCandlebrightness, 300},
        StoredBarCase{"candlebrightness", "301", ControlId::HScrollCandlebrightness, 15},
        StoredBarCase{"candlebrightness", "2.5", ControlId::HScrollCandlebrightness, 2}));

struct MoveTextCase {
    const char* stored;
    bool ticked;
    const char* written;
};

class StoredMoveTextTest : public SettingsDialogTest,
                           public testing::WithParamInterface<MoveTextCase> {};

TEST_P(StoredMoveTextTest, OnlyExactlyOneTicksTheBox) {
    const MoveTextCase& c = GetParam();
    Store("pumpkin", "movePumpkin", c.stored);
    fakes::FakeSettingsView& view = LoadDialog();
    EXPECT_EQ(view.ticked, c.ticked);
    PressClose();
    EXPECT_EQ(Writes().at(3), Write("pumpkin", "movePumpkin", c.written));
}

INSTANTIATE_TEST_SUITE_P(
    Texts, StoredMoveTextTest,
    testing::Values(MoveTextCase{"1", true, "1"}, MoveTextCase{"01", false, "0"},
                    MoveTextCase{"true", false, "0"}, MoveTextCase{"", false, "0"},
                    MoveTextCase{"0", false, "0"}, MoveTextCase{"-1", false, "0"}));

TEST_F(SettingsDialogTest, UntickingTheBoxWritesZero) {
    Store("pumpkin", "movePumpkin", "1");
    fakes::FakeSettingsView& view = LoadDialog();
    view.ticked = false;
    PressClose();
    EXPECT_EQ(Writes().at(3), Write("pumpkin", "movePumpkin", "0"));
}

struct StoredColorCase {
    const char* text;
    std::int32_t shown;
};

class StoredColorTextTest : public SettingsDialogTest,
                            public testing::WithParamInterface<StoredColorCase> {};

TEST_P(StoredColorTextTest, SwatchShowsAPlainColourOrKeepsItsDesignColour) {
    Store("candle", "candlecolor", GetParam().text);
    fakes::FakeSettingsView& view = LoadDialog();
    EXPECT_EQ(view.swatchColor, GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, StoredColorTextTest,
    testing::Values(StoredColorCase{"0", 0}, StoredColorCase{"16777215", 16777215},
                    StoredColorCase{"16777216", 145151}, StoredColorCase{"-1", 145151},
                    StoredColorCase{"orange", 145151}, StoredColorCase{"", 145151}));

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
    std::vector<std::string> expected = FourWrites("10", "200", "145151", "0");
    expected.push_back("EndProcess(0)");
    EXPECT_EQ(fakes::Log().Calls(), expected);
    EXPECT_TRUE(view.closed);
    EXPECT_EQ(mScreenSaver::Settings.candleBrightness, "200");
}

TEST_F(SettingsDialogTest, DefaultsChangesOnlyTheControls) {
    StoreAll("3", "120", "65280", "1");
    fakes::FakeSettingsView& view = LoadDialog();
    fakes::Log().Clear();
    form_.Click(ControlId::CommandDefault);
    EXPECT_TRUE(Writes().empty());
    EXPECT_EQ(view.positions.at(ControlId::HScrollCandleHeight), 10);
    EXPECT_EQ(view.positions.at(ControlId::HScrollCandlebrightness), 200);
    EXPECT_EQ(view.swatchColor, 145151);
    EXPECT_FALSE(view.ticked);
}

TEST_F(SettingsDialogTest, ClosingThroughTheWindowSystemWritesTheSettingsAndLeavesTheProcess) {
    StoreAll("3", "120", "65280", "0");
    fakes::FakeSettingsView& view = LoadDialog();
    view.positions.at(ControlId::HScrollCandleHeight) = 9;
    fakes::Log().Clear();
    view.events->Form_Unload();
    EXPECT_EQ(fakes::Log().Calls(), FourWrites("9", "120", "65280", "0"));
}

// What happens to the colour before the user cancels the chooser.
enum class BeforeCancel { Loaded, Chosen, Defaults };

struct CancelCase {
    BeforeCancel before;
    std::int32_t expected;
};

class CancelledChooserTest : public SettingsDialogTest,
                             public testing::WithParamInterface<CancelCase> {};

TEST_P(CancelledChooserTest, LeavesTheSwatchAndTheSavedColourAsTheyWere) {
    Store("candle", "candlecolor", "65280");
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
    EXPECT_EQ(Writes().at(2), Write("candle", "candlecolor", std::to_string(GetParam().expected)));
}

INSTANTIATE_TEST_SUITE_P(Before, CancelledChooserTest,
                         testing::Values(CancelCase{BeforeCancel::Loaded, 65280},
                                         CancelCase{BeforeCancel::Chosen, 255},
                                         CancelCase{BeforeCancel::Defaults, 145151}));

TEST_F(SettingsDialogTest, AConfirmedColourShowsInTheSwatchAndIsSavedOnClose) {
    Store("candle", "candlecolor", "65280");
    fakes::FakeSettingsView& view = LoadDialog();
    view.chooserAnswers.push_back(0x102030);
    form_.Click(ControlId::CmdCandleColor);
    EXPECT_EQ(view.chooserOpenedWith, (std::vector<std::optional<std::int32_t>>{65280}));
    EXPECT_EQ(view.swatchColor, 0x102030);
    PressClose();
    EXPECT_EQ(Writes().at(2), Write("candle", "candlecolor", std::to_string(0x102030)));
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

TEST_F(SettingsDialogTest, AFailedSaveIsToldNamingTheFileAfterAllFourWrites) {
    StoreAll("3", "120", "65280", "1");
    LoadDialog();
    windows_->profileWritesFail = true;
    PressClose();
    const std::vector<std::string>& calls = fakes::Log().Calls();
    ASSERT_EQ(calls.size(), 6u);
    EXPECT_EQ(std::vector<std::string>(calls.begin(), calls.begin() + 4),
              FourWrites("3", "120", "65280", "1"));
    EXPECT_EQ(calls[4], "MessageBox(The settings could not be saved to " + IniPath +
                            ".\nCheck that the file and its folder may be written to., 48, "
                            "Kelvora Screen Saver)");
    EXPECT_EQ(calls[5], "EndProcess(0)");
}

TEST_F(SettingsDialogTest, ASuccessfulSaveShowsNoMessage) {
    LoadDialog();
    PressClose();
    EXPECT_TRUE(fakes::Log().Matching("MessageBox").empty());
}

}  // namespace

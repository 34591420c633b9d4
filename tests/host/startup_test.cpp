// The start procedure: platform family, password setting, and the choice of mode.
#include <gtest/gtest.h>

#include <functional>

#include "fakes/call_log.h"
#include "fakes/fake_host_backends.h"
#include "fakes/fake_toolkit.h"
#include "fakes/fake_windows_api.h"
#include "host/startup.h"
#include "settings/settings_table.h"

namespace {

using fakes::Log;

class Startup : public ::testing::Test {
public:
    void SetUp() override {
        windows = &fakes::InstallFakeWindowsApi();
        toolkit = &fakes::InstallFakeToolkit();
    }

    // Runs Main; the modes that end the process surface as ProcessEnded.
    void RunMain(const std::string& arguments) {
        toolkit->arguments = arguments;
        try {
            process = {};
            mMain::Main(process, fakes::FakeHostBackends());
        } catch (const fakes::ProcessEnded&) {
        }
    }

    void SetDword(std::uint32_t value) {
        windows->registry["Control Panel\\Desktop\\ScreenSaveUsePassword"] = {
            platform::RegDword,
            {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
             static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)}};
    }

    void SetString(const std::string& text, bool withTerminator = true) {
        std::vector<unsigned char> data(text.begin(), text.end());
        if (withTerminator) data.push_back(0);
        windows->registry["Control Panel\\Desktop\\ScreenSaveUsePassword"] = {platform::RegSz,
                                                                              data};
    }

    std::string ReadSetting() {
        return mScreenSaver::ReadRegistryString(platform::HkeyCurrentUser,
                                                "Control Panel\\Desktop",
                                                "ScreenSaveUsePassword");
    }

    fakes::FakeWindowsApi* windows = nullptr;
    fakes::FakeToolkit* toolkit = nullptr;
    mMain::ProcessState process;
};

TEST_F(Startup, ReadsTheVersionThenThePasswordSettingBeforeTheDispatch) {
    windows->platformId = 1;
    SetDword(1);
    RunMain("/A 5");
    std::vector<std::string> expected = {
        "GetVersionExA(148)",
        "RegOpenKeyExA(0x80000001, \"Control Panel\\Desktop\", 0)",
        "RegQueryValueExA(19269, \"ScreenSaveUsePassword\", 0, 255)",
        "RegCloseKey(19269)",
        "PwdChangePasswordA(\"SCRSAVE\", 5, 0, 0)",
    };
    EXPECT_EQ(Log().Calls(), expected);
    EXPECT_EQ(process.host.PlatformId, 1);
    EXPECT_EQ(process.host.UsePassword, 1);
}

TEST_F(Startup, AFailedVersionQueryCountsAsTheOlderFamily) {
    windows->versionQueryFails = true;
    mScreenSaver::HostValues host{2, 0};
    mScreenSaver::ReadWindowsVersion(host);
    EXPECT_EQ(host.PlatformId, 0);
}

TEST_F(Startup, RegistryValuesBecomeTextAndThePasswordSetting) {
    struct Case {
        const char* name;
        std::function<void(Startup&)> store;
        std::string text;
        Flag usePassword;
    } cases[] = {
        {"dword 1", [](Startup& t) { t.SetDword(1); }, "001", 1},
        {"dword 0", [](Startup& t) { t.SetDword(0); }, "000", 0},
        {"dword 1234", [](Startup& t) { t.SetDword(1234); }, "123", 123},
        {"dword 2", [](Startup& t) { t.SetDword(2); }, "002", 2},
        {"string 1", [](Startup& t) { t.SetString("1"); }, "1", 1},
        {"string without terminator", [](Startup& t) { t.SetString("12", false); }, "1", 1},
        {"empty data", [](Startup& t) { t.SetString("", false); }, "", 0},
        {"huge number", [](Startup& t) { t.SetString("99999999"); }, "99999999", True},
        {"not a number", [](Startup& t) { t.SetString("yes"); }, "yes", 0},
        {"too long", [](Startup& t) { t.SetString(std::string(300, '1')); }, "", 0},
        {"missing value", [](Startup&) {}, "", 0},
        {"missing key", [](Startup& t) { t.SetDword(1); t.windows->registryKeyMissing = true; },
         "", 0},
    };
    for (auto& c : cases) {
        SetUp();
        c.store(*this);
        EXPECT_EQ(ReadSetting(), c.text) << c.name;
        mScreenSaver::HostValues host;
        mScreenSaver::ReadPasswordSetting(host);
        EXPECT_EQ(host.UsePassword, c.usePassword) << c.name;
    }
}

TEST_F(Startup, ARootOutsideThePredefinedKeysNeverTouchesTheRegistry) {
    for (std::uint32_t root : {0x7FFFFFFFu, 0x80000007u, 0u}) {
        EXPECT_EQ(mScreenSaver::ReadRegistryString(root, "Control Panel\\Desktop", "X"), "");
    }
    EXPECT_TRUE(Log().Calls().empty());
    SetDword(7);
    EXPECT_EQ(mScreenSaver::ReadRegistryString(0x80000006u, "Control Panel\\Desktop",
                                               "ScreenSaveUsePassword"),
              "007");
}

TEST_F(Startup, TheCommandLineChoosesTheMode) {
    // The dialog's load reads the first setting first.
    const std::string kSettingsLoad =
        std::string("GetPrivateProfileStringA(\"") + mScreenSaver::SettingsTable[0].section +
        "\", \"" + mScreenSaver::SettingsTable[0].readKey +
        "\", \"\", 255, \"C:\\Program Files\\Kelvora\\kelvora.ini\")";
    struct Case {
        const char* arguments;
        std::string firstCallOfTheMode;
    } cases[] = {
        {"", "FindWindowA(\"Shell_traywnd\", \"\")"},
        {"/S", "FindWindowA(\"Shell_traywnd\", \"\")"},
        {"  /s  ", "FindWindowA(\"Shell_traywnd\", \"\")"},
        {"/X", "FindWindowA(\"Shell_traywnd\", \"\")"},
        {"-S", "FindWindowA(\"Shell_traywnd\", \"\")"},
        {"/a 1234", "PwdChangePasswordA(\"SCRSAVE\", 1234, 0, 0)"},
        {"/A", "PwdChangePasswordA(\"SCRSAVE\", 0, 0, 0)"},
        {" /a 1234", "PwdChangePasswordA(\"SCRSAVE\", 0, 0, 0)"},
        {"/a:1234", "PwdChangePasswordA(\"SCRSAVE\", 0, 0, 0)"},
        {"/a 99999999999", "PwdChangePasswordA(\"SCRSAVE\", 0, 0, 0)"},
        {"/C", kSettingsLoad},
        {"/c", kSettingsLoad},
        {"/c:1234", kSettingsLoad},
        {" /C 55 ", kSettingsLoad},
        {"/P 1234", "frmPreview.Load()"},
        {"/p:1234", "frmPreview.Load()"},
    };
    for (const auto& c : cases) {
        SetUp();
        RunMain(c.arguments);
        const auto& calls = Log().Calls();
        ASSERT_GE(calls.size(), 5u) << c.arguments;
        EXPECT_EQ(calls[4], c.firstCallOfTheMode) << '"' << c.arguments << '"';
    }
}

TEST_F(Startup, TheSaverHidesTheTaskbarUnlessAnotherInstanceRuns) {
    RunMain("/S");
    // Hidden first; the saver's own ending shows it again.
    ASSERT_FALSE(Log().Matching("SetWindowPos").empty());
    EXPECT_EQ(Log().Matching("SetWindowPos").front(), "SetWindowPos(31324, 0, 0, 0, 0, 0, 0x80)");

    SetUp();
    toolkit->previousInstance = true;
    RunMain("/S");
    EXPECT_TRUE(Log().Matching("SetWindowPos").empty());
    EXPECT_EQ(Log().Matching("EndProcess"), std::vector<std::string>{"EndProcess(0)"});
}

TEST_F(Startup, ThePreviewRunsWhileAnotherInstanceRuns) {
    toolkit->previousInstance = true;
    RunMain("/P 1234");
    EXPECT_EQ(Log().Matching("GetDC"), std::vector<std::string>{"GetDC(1234)"});
}

}  // namespace

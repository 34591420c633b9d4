// ReadIniValue: one profile read with an empty default and a 255-character buffer, of
// which at most 254 characters come back; against the recording fake and against real
// settings files through the Linux INI code. ReadSetting: each value from the first of
// the settings files that holds it.
#include <gtest/gtest.h>

#include <cstdio>

#include "fakes/call_log.h"
#include "fakes/fake_windows_api.h"
#include "fakes/ini_windows_api.h"
#include "support/temporary_folder.h"
#include "settings/settings.h"
#include "settings/settings_table.h"

namespace {

using mScreenSaver::ReadIniValue;

TEST(ReadIniValue, AsksForTheKeyWithAnEmptyDefaultAndA255CharacterBuffer) {
    fakes::FakeWindowsApi& windows = fakes::InstallFakeWindowsApi();
    windows.profile[fakes::FakeWindowsApi::ProfileKey("k.ini", "candle", "candleheight")] = "10";
    std::string value = "old";
    ReadIniValue("candle", "candleheight", value, "k.ini");
    EXPECT_EQ(value, "10");
    EXPECT_EQ(fakes::Log().Calls(),
              std::vector<std::string>{
                  R"(GetPrivateProfileStringA("candle", "candleheight", "", 255, "k.ini"))"});
}

TEST(ReadIniValue, GivesAtMost254Characters) {
    fakes::FakeWindowsApi& windows = fakes::InstallFakeWindowsApi();
    std::string stored(300, '7');
    windows.profile[fakes::FakeWindowsApi::ProfileKey("k.ini", "candle", "candlecolor")] = stored;
    std::string value;
    ReadIniValue("candle", "candlecolor", value, "k.ini");
    EXPECT_EQ(value, stored.substr(0, 254));
}

TEST(ReadIniValue, ReadsRealSettingsFilesAsWindowsWould) {
    fakes::TemporaryFolder folder;
    std::string file = folder.File("kelvora.ini");
    fakes::WriteFileBytes(file, "[candle]\r\ncandleheight=10\r\ncandleBrightness=150\r\n"
                                "candlecolor=" + std::string(300, '1') + "\r\n[pumpkin]\r\n"
                                "movePumpkin=\r\n");
    fakes::InstallIniWindowsApi();
    struct Case {
        const char* section;
        const char* key;
        std::string expected;
    } cases[] = {
        {"candle", "candleheight", "10"},
        {"candle", "candlebrightness", "150"},
        {"candle", "candlecolor", std::string(254, '1')},
        {"pumpkin", "movePumpkin", ""},
        {"pumpkin", "missing", ""},
        {"missing", "candleheight", ""},
    };
    for (const auto& c : cases) {
        std::string value = "untouched";
        ReadIniValue(c.section, c.key, value, file);
        EXPECT_EQ(value, c.expected) << c.key;
    }
    std::string value = "untouched";
    ReadIniValue("candle", "candleheight", value, folder.File("missing.ini"));
    EXPECT_EQ(value, "");
}

TEST(ReadSetting, TakesEachValueFromTheFirstFileThatHoldsIt) {
    fakes::TemporaryFolder folder;
    const std::string perUser = folder.File("per-user.ini");
    const std::string beside = folder.File("beside.ini");
    fakes::InstallIniWindowsApi();
    struct Case {
        const char* name;
        const char* perUserBytes;  // nullptr: no file
        const char* besideBytes;
        const char* expected;
    } cases[] = {
        {"both hold it", "[candle]\ncandleheight=3\n", "[candle]\ncandleheight=10\n", "3"},
        {"only beside the executable", "[candle]\ncandlecolor=255\n",
         "[candle]\ncandleheight=10\n", "10"},
        {"empty in the per-user file", "[candle]\ncandleheight=\n",
         "[candle]\ncandleheight=10\n", "10"},
        {"no per-user file", nullptr, "[candle]\ncandleheight=10\n", "10"},
        {"only the per-user file", "[candle]\ncandleheight=3\n", nullptr, "3"},
        {"neither", "[pumpkin]\nmovePumpkin=1\n", nullptr, ""},
        {"no file at all", nullptr, nullptr, ""},
    };
    for (const auto& c : cases) {
        std::remove(perUser.c_str());
        std::remove(beside.c_str());
        if (c.perUserBytes) fakes::WriteFileBytes(perUser, c.perUserBytes);
        if (c.besideBytes) fakes::WriteFileBytes(beside, c.besideBytes);
        std::string value = "untouched";
        mScreenSaver::ReadSetting(mScreenSaver::CandleHeightSetting, value, {perUser, beside});
        EXPECT_EQ(value, c.expected) << c.name;
    }
}

}  // namespace

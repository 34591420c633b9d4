// The settings table against what users and existing files rely on, and against the
// places outside the code that show it: the shipped kelvora.ini and README's table.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/ini_windows_api.h"
#include "support/temporary_folder.h"
#include "seams/windows_api.h"
#include "settings/settings.h"
#include "settings/settings_table.h"
#include "settings_table_text.h"

namespace {

using mScreenSaver::SettingDefinition;
using mScreenSaver::SettingsTable;
using mScreenSaver::TextForm;

const std::string SourceFolder = KELVORA_SOURCE_DIR;

struct Row {
    std::string name, section, readKey, writtenKey;
    TextForm form;
    std::int32_t defaultValue, designValue, min, max;
    bool operator==(const Row&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Row& r) {
    return out << r.name << " [" << r.section << "] read " << r.readKey << " written "
               << r.writtenKey << " form " << static_cast<int>(r.form) << " default "
               << r.defaultValue << " design " << r.designValue << " range " << r.min << ".."
               << r.max;
}

// The values are stated a second time only here, on purpose: settings files in use, the
// shipped file and the dialog's look depend on them, so a change must be meant.
TEST(SettingsTable, StatesTheEntriesThatSettingsFilesInUseHold) {
    const std::vector<Row> expected = {
        {"candleHeight", "candle", "candleheight", "candleheight", TextForm::DecimalInteger,
         10, 15, 0, 15},
        {"candleBrightness", "candle", "candlebrightness", "candleBrightness",
         TextForm::DecimalInteger, 200, 15, 1, 300},
        {"candleColor", "candle", "candlecolor", "candlecolor", TextForm::DecimalBgrColor,
         145151, 145151, 0, 16777215},
        {"movePumpkin", "pumpkin", "movePumpkin", "movePumpkin", TextForm::OnOff, 0, 0, 0, 1},
    };
    std::vector<Row> table;
    for (const SettingDefinition& s : SettingsTable) {
        table.push_back({s.name, s.section, s.readKey, s.writtenKey, s.form, s.defaultValue,
                         s.designValue, s.min, s.max});
    }
    EXPECT_EQ(table, expected);
    EXPECT_STREQ(mScreenSaver::FlagOnText, "1");
    EXPECT_STREQ(mScreenSaver::FlagOffText, "0");
}

// Through the real INI code: every entry the dialog writes is found by the readers.
TEST(SettingsTable, WhatTheDialogWritesTheReadersFind) {
    fakes::TemporaryFolder folder;
    std::string file = folder.File("kelvora.ini");
    fakes::InstallIniWindowsApi();
    for (const SettingDefinition& s : SettingsTable) {
        std::string written = std::string("stored for ") + s.name;
        ASSERT_NE(platform::Windows().WritePrivateProfileStringA(s.section, s.writtenKey,
                                                                 written.c_str(), file.c_str()),
                  0)
            << s.name;
    }
    for (const SettingDefinition& s : SettingsTable) {
        std::string value;
        mScreenSaver::ReadIniValue(s.section, s.readKey, value, file);
        EXPECT_EQ(value, std::string("stored for ") + s.name);
    }
}

// Byte for byte, so the file a user installs reads like one the dialog wrote.
TEST(SettingsTable, TheShippedSettingsFileHoldsTheDefaults) {
    std::string expected;
    std::string section;
    for (const SettingDefinition& s : SettingsTable) {
        if (section != s.section) {
            section = s.section;
            expected += "[" + section + "]\n";
        }
        expected += std::string(s.writtenKey) + "=" + std::to_string(s.defaultValue) + "\n";
    }
    EXPECT_EQ(fakes::FileBytes(SourceFolder + "/media/kelvora.ini"), expected);
}

TEST(SettingsTable, ReadmeShowsTheTable) {
    // A blank line on either side lets the table render as a table.
    const std::string begin = "<!-- settings table: kelvora_settings_table markdown -->\n\n";
    const std::string end = "\n<!-- end of settings table -->";
    std::string readme = fakes::FileBytes(SourceFolder + "/README.md");
    std::size_t from = readme.find(begin);
    std::size_t to = readme.find(end);
    ASSERT_NE(from, std::string::npos) << "README.md lacks the line " << begin;
    ASSERT_NE(to, std::string::npos) << "README.md lacks the line " << end;
    ASSERT_LT(from, to);
    from += begin.size();
    EXPECT_EQ(readme.substr(from, to - from), settings_table::Markdown())
        << "Put the output of `build/linux/tools/settings_table/kelvora_settings_table markdown` "
           "between the markers";
}

}  // namespace

// Where the settings file and the media folder lie: beside the executable, with exactly
// one separator between the folder and the name, also at a drive's root.
#include <gtest/gtest.h>

#include "fakes/fake_toolkit.h"
#include "settings/settings.h"

namespace {

TEST(SettingsPaths, PutOneSeparatorBetweenTheApplicationFolderAndTheName) {
    struct Case {
        const char* folder;
        char separator;
        const char* iniFile;
        const char* mediaFolder;
    } cases[] = {
        {"C:\\", '\\', "C:\\kelvora.ini", "C:\\durnwick\\kelvora\\"},
        {"C:\\Saver", '\\', "C:\\Saver\\kelvora.ini", "C:\\Saver\\durnwick\\kelvora\\"},
        {"C:\\Program Files\\Kelvora", '\\', "C:\\Program Files\\Kelvora\\kelvora.ini",
         "C:\\Program Files\\Kelvora\\durnwick\\kelvora\\"},
        {"/usr/lib/kelvora", '/', "/usr/lib/kelvora/kelvora.ini", "/usr/lib/kelvora/durnwick/kelvora/"},
        {"/", '/', "/kelvora.ini", "/durnwick/kelvora/"},
    };
    for (const auto& c : cases) {
        fakes::FakeToolkit& toolkit = fakes::InstallFakeToolkit();
        toolkit.folder = c.folder;
        toolkit.separator = c.separator;
        EXPECT_EQ(mScreenSaver::IniFilePath(), c.iniFile);
        EXPECT_EQ(mScreenSaver::MediaFolderPath(), c.mediaFolder);
    }
}

TEST(SettingsPaths, AskTheToolkitAnewEachTime) {
    fakes::FakeToolkit& toolkit = fakes::InstallFakeToolkit();
    toolkit.folder = "C:\\One";
    EXPECT_EQ(mScreenSaver::IniFilePath(), "C:\\One\\kelvora.ini");
    toolkit.folder = "C:\\Two";
    EXPECT_EQ(mScreenSaver::IniFilePath(), "C:\\Two\\kelvora.ini");
}

}  // namespace

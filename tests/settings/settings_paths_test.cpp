// Where the settings files and the media folder lie: beside the executable, with exactly
// one separator between the folder and the name, also at a drive's root; the per-user
// file in the toolkit's per-user folder; and which of them is read and written.
#include <gtest/gtest.h>

#include "fakes/call_log.h"
#include "fakes/fake_toolkit.h"
#include "settings/settings.h"
#include "settings/settings_files.h"

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

TEST(SettingsPaths, PutThePerUserFileInThePerUserFolder) {
    struct Case {
        const char* userFolder;
        char separator;
        const char* userFile;
    } cases[] = {
        {"C:\\Users\\Ann\\AppData\\Roaming\\Kelvora", '\\',
         "C:\\Users\\Ann\\AppData\\Roaming\\Kelvora\\kelvora.ini"},
        {"/home/ann/.config/kelvora", '/', "/home/ann/.config/kelvora/kelvora.ini"},
        // No per-user folder: no per-user file either.
        {"", '/', ""},
    };
    for (const auto& c : cases) {
        fakes::FakeToolkit& toolkit = fakes::InstallFakeToolkit();
        toolkit.userFolder = c.userFolder;
        toolkit.separator = c.separator;
        EXPECT_EQ(mScreenSaver::UserIniFilePath(), c.userFile) << c.userFolder;
    }
}

TEST(SettingsFiles, BesideTheExecutableWhereWritableElseThePerUserFileFirst) {
    const std::string beside = "C:\\Program Files\\Kelvora\\kelvora.ini";
    const std::string perUser = "C:\\Users\\Ann\\AppData\\Roaming\\Kelvora\\kelvora.ini";
    struct Case {
        const char* name;
        bool besideWritable;
        const char* userFolder;
        std::vector<std::string> toRead;
        std::string toWrite;
        std::string seed;
    } cases[] = {
        {"writable beside the executable", true, "C:\\Users\\Ann\\AppData\\Roaming\\Kelvora",
         {beside}, beside, ""},
        {"read-only beside the executable", false, "C:\\Users\\Ann\\AppData\\Roaming\\Kelvora",
         {perUser, beside}, perUser, beside},
        {"read-only and no per-user folder", false, "", {beside}, beside, ""},
    };
    for (const auto& c : cases) {
        fakes::FakeToolkit& toolkit = fakes::InstallFakeToolkit();
        toolkit.userFolder = c.userFolder;
        if (!c.besideWritable) toolkit.readOnlyFiles.insert(beside);
        mScreenSaver::SettingsFiles files = mScreenSaver::FindSettingsFiles();
        EXPECT_EQ(files.toRead, c.toRead) << c.name;
        EXPECT_EQ(files.toWrite, c.toWrite) << c.name;
        EXPECT_EQ(files.seed, c.seed) << c.name;
    }
}

TEST(SettingsFiles, OnlyAPerUserFileIsSeededBeforeItIsWritten) {
    const std::string beside = "C:\\Program Files\\Kelvora\\kelvora.ini";
    const std::string perUser = "C:\\Users\\Ann\\AppData\\Roaming\\Kelvora\\kelvora.ini";
    struct Case {
        const char* name;
        bool besideWritable;
        platform::SeedOutcome seeded;
        platform::SeedOutcome ready;
        std::vector<std::string> calls;
    } cases[] = {
        {"beside the executable", true, platform::SeedOutcome::Failed, platform::SeedOutcome::Ready, {}},
        {"per-user", false, platform::SeedOutcome::Ready, platform::SeedOutcome::Ready,
         {fakes::Call("SeedFileFrom", perUser, beside)}},
        {"per-user, seeding fails", false, platform::SeedOutcome::DiskFull, platform::SeedOutcome::DiskFull,
         {fakes::Call("SeedFileFrom", perUser, beside)}},
    };
    for (const auto& c : cases) {
        fakes::FakeToolkit& toolkit = fakes::InstallFakeToolkit();
        if (!c.besideWritable) toolkit.readOnlyFiles.insert(beside);
        toolkit.seedOutcome = c.seeded;
        fakes::Log().Clear();
        EXPECT_EQ(mScreenSaver::ReadyFileToWrite(mScreenSaver::FindSettingsFiles()), c.ready)
            << c.name;
        EXPECT_EQ(fakes::Log().Calls(), c.calls) << c.name;
    }
}

}  // namespace

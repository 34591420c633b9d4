// The Linux profile functions over our INI code: the fixture table that the Windows
// comparison also runs, and the file handling that only the Linux side has (atomic
// replacement, writing in place where no file can be made beside, the leftovers of
// interrupted saves, read-only folders and files, links, permissions, refused arguments).
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <vector>

#include "data/ini/profile_cases.h"
#include "support/temporary_folder.h"
#include "backends/linux/ini_file.h"
#include "backends/linux/ini_profile.h"
#include "settings/settings.h"

namespace {

using fakes::FileBytes;
using fakes::TemporaryFolder;
using fakes::WriteFileBytes;
using platform::ini::WriteProfileString;

// A read as the backend makes it: through one parsed file kept across every read.
std::uint32_t GetProfileString(const char* section, const char* key, const char* defaultText, char* buffer,
                               std::uint32_t size, const char* file) {
    static platform::ini::ParsedFile parsed;
    return platform::ini::GetProfileString(section, key, defaultText, buffer, size, file, parsed);
}

void ExpectRead(const profile_cases::Read& read, const std::string& path) {
    std::vector<char> buffer(read.size + 8, '#');
    std::uint32_t count = GetProfileString(read.section.c_str(), read.key.c_str(),
                                           read.defaultText.c_str(), buffer.data(), read.size,
                                           path.c_str());
    SCOPED_TRACE("[" + read.section + "] " + read.key + " size " + std::to_string(read.size));
    ASSERT_EQ(count, read.expected.size());
    EXPECT_EQ(std::string(buffer.data(), count), read.expected);
    EXPECT_EQ(buffer[count], '\0');
    // Nothing beyond the buffer's size is touched.
    for (std::size_t i = read.size; i < buffer.size(); ++i) EXPECT_EQ(buffer[i], '#');
}

std::vector<std::string> FolderEntries(const TemporaryFolder& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
        names.push_back(entry.path().filename().string());
    }
    return names;
}

TEST(IniProfile, BehavesAsWindowsOnEveryFixture) {
    for (const auto& c : profile_cases::Cases()) {
        SCOPED_TRACE(c.file);
        TemporaryFolder folder;
        std::string path = folder.File(c.file);
        if (c.contents) WriteFileBytes(path, *c.contents);
        if (c.readOnlyFile) chmod(path.c_str(), 0444);
        for (const auto& read : c.readsBefore) ExpectRead(read, path);
        for (const auto& write : c.writes) {
            EXPECT_EQ(WriteProfileString(write.section.c_str(), write.key.c_str(),
                                         write.value.c_str(), path.c_str()),
                      write.succeeds ? 1 : 0)
                << write.key;
        }
        for (const auto& read : c.readsAfter) ExpectRead(read, path);
        if (c.expectedAfter) {
            EXPECT_EQ(FileBytes(path), *c.expectedAfter);
        }
        EXPECT_EQ(FolderEntries(folder), std::vector<std::string>{c.file}) << "temporary file left";
    }
}

TEST(IniProfile, ReadsAThreeHundredCharacterValueAsItsFirst254WithABufferOf255) {
    TemporaryFolder folder;
    std::string value(300, 'v');
    WriteFileBytes(folder.File("k.ini"), "[candle]\ncandlecolor=" + value + "\n");
    char buffer[255];
    EXPECT_EQ(GetProfileString("candle", "candlecolor", "", buffer, 255,
                               folder.File("k.ini").c_str()),
              254u);
    EXPECT_EQ(std::string(buffer), value.substr(0, 254));
}

TEST(IniProfile, ABufferOfSizeZeroIsLeftAlone) {
    TemporaryFolder folder;
    WriteFileBytes(folder.File("k.ini"), "[a]\nb=c\n");
    char buffer[4] = {'x', 'y', 'z', '\0'};
    EXPECT_EQ(GetProfileString("a", "b", "", buffer, 0, folder.File("k.ini").c_str()), 0u);
    EXPECT_STREQ(buffer, "xyz");
}

// Wine cuts one more character when the unquoted value exactly fills the buffer ("15"
// here); the value fits, and Windows' rule of size - 1 characters gives all of it.
TEST(IniProfile, AQuotedValueThatExactlyFitsIsCopiedWhole) {
    TemporaryFolder folder;
    WriteFileBytes(folder.File("k.ini"), "[a]\nb=\"150\"\n");
    char buffer[4];
    EXPECT_EQ(GetProfileString("a", "b", "", buffer, 4, folder.File("k.ini").c_str()), 3u);
    EXPECT_STREQ(buffer, "150");
}

TEST(IniProfile, AFolderInPlaceOfTheFileReadsAsMissingAndIsNotReplaced) {
    TemporaryFolder folder;
    std::filesystem::create_directory(folder.File("k.ini"));
    char buffer[16];
    EXPECT_EQ(GetProfileString("a", "b", "dflt", buffer, 16, folder.File("k.ini").c_str()), 4u);
    EXPECT_EQ(WriteProfileString("a", "b", "c", folder.File("k.ini").c_str()), 0);
    EXPECT_TRUE(std::filesystem::is_directory(folder.File("k.ini")));
}

TEST(IniProfile, APipeInPlaceOfTheFileNeitherHangsNorIsReplaced) {
    TemporaryFolder folder;
    std::string path = folder.File("k.ini");
    ASSERT_EQ(mkfifo(path.c_str(), 0644), 0);
    char buffer[16];
    EXPECT_EQ(GetProfileString("a", "b", "dflt", buffer, 16, path.c_str()), 4u);
    EXPECT_EQ(WriteProfileString("a", "b", "c", path.c_str()), 0);
    EXPECT_TRUE(std::filesystem::is_fifo(path));
}

// As on Windows: a writable file in a folder where no file can be made is written in
// place; a new file cannot be made there.
TEST(IniProfile, AWriteIntoAReadOnlyFolderChangesAWritableFileInPlace) {
    TemporaryFolder folder;
    std::string path = folder.File("kelvora.ini");
    WriteFileBytes(path, "[candle]\ncandleheight=10\ncandlebrightness=255\n");
    struct stat before;
    stat(path.c_str(), &before);
    chmod(folder.Path().c_str(), 0555);
    EXPECT_EQ(WriteProfileString("candle", "candleheight", "20", path.c_str()), 1);
    EXPECT_EQ(WriteProfileString("pumpkin", "movePumpkin", "1", folder.File("new.ini").c_str()), 0);
    chmod(folder.Path().c_str(), 0755);
    struct stat after;
    stat(path.c_str(), &after);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(FileBytes(path), "[candle]\ncandleheight=20\ncandlebrightness=255\n");
    EXPECT_EQ(FolderEntries(folder), std::vector<std::string>{"kelvora.ini"});
}

// A shorter new content leaves nothing of the old one's tail.
TEST(IniProfile, AWriteInPlaceCutsTheOldTail) {
    TemporaryFolder folder;
    std::string path = folder.File("kelvora.ini");
    WriteFileBytes(path, "[candle]\ncandleheight=10\n; a long comment that the new contents drop\n");
    chmod(folder.Path().c_str(), 0555);
    EXPECT_EQ(WriteProfileString("candle", "candleheight", "20", path.c_str()), 1);
    chmod(folder.Path().c_str(), 0755);
    std::string after = FileBytes(path);
    EXPECT_EQ(after.find("candleheight=20\n"), 9u);
    EXPECT_EQ(after.size(), std::string("[candle]\ncandleheight=20\n; a long comment that the new contents drop\n").size());
}

TEST(IniProfile, AWriteToAReadOnlyFileFailsAndLeavesItAsItWas) {
    TemporaryFolder folder;
    std::string path = folder.File("kelvora.ini");
    WriteFileBytes(path, "[candle]\ncandleheight=10\n");
    chmod(path.c_str(), 0444);
    EXPECT_EQ(WriteProfileString("candle", "candleheight", "20", path.c_str()), 0);
    EXPECT_EQ(FileBytes(path), "[candle]\ncandleheight=10\n");
}

TEST(IniProfile, AWriteIntoAMissingFolderFails) {
    TemporaryFolder folder;
    EXPECT_EQ(WriteProfileString("a", "b", "c", folder.File("no/such.ini").c_str()), 0);
}

TEST(IniProfile, AWriteReplacesTheFileWholeAndKeepsItsPermissions) {
    TemporaryFolder folder;
    std::string path = folder.File("kelvora.ini");
    WriteFileBytes(path, "[candle]\ncandleheight=10\n");
    chmod(path.c_str(), 0640);
    struct stat before;
    stat(path.c_str(), &before);
    ASSERT_EQ(WriteProfileString("candle", "candleheight", "20", path.c_str()), 1);
    struct stat after;
    stat(path.c_str(), &after);
    // A new inode: the old file was never opened for writing, so a crash could only
    // have left either the old or the new contents.
    EXPECT_NE(after.st_ino, before.st_ino);
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    EXPECT_EQ(FileBytes(path), "[candle]\ncandleheight=20\n");
}

TEST(IniProfile, ANewFileGetsTheUsualPermissions) {
    TemporaryFolder folder;
    std::string path = folder.File("kelvora.ini");
    mode_t mask = umask(022);
    ASSERT_EQ(WriteProfileString("candle", "candleheight", "10", path.c_str()), 1);
    umask(mask);
    struct stat info;
    stat(path.c_str(), &info);
    EXPECT_EQ(info.st_mode & 07777, 0644u);
}

TEST(IniProfile, AWriteThroughASymbolicLinkChangesItsTargetAndKeepsTheLink) {
    TemporaryFolder folder;
    std::filesystem::create_directory(folder.Path() / "real");
    std::string target = folder.File("real/kelvora.ini");
    WriteFileBytes(target, "[candle]\ncandleheight=10\n");
    std::filesystem::create_symlink(target, folder.File("kelvora.ini"));
    ASSERT_EQ(WriteProfileString("candle", "candleheight", "20", folder.File("kelvora.ini").c_str()), 1);
    EXPECT_TRUE(std::filesystem::is_symlink(folder.File("kelvora.ini")));
    EXPECT_EQ(FileBytes(target), "[candle]\ncandleheight=20\n");
}

// As Windows does: a link that leads nowhere is not replaced by a file of its own.
TEST(IniProfile, AWriteThroughADanglingLinkFailsAndKeepsTheLink) {
    TemporaryFolder folder;
    std::string link = folder.File("kelvora.ini");
    std::filesystem::create_symlink(folder.File("gone/kelvora.ini"), link);
    EXPECT_EQ(WriteProfileString("candle", "candleheight", "20", link.c_str()), 0);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(FolderEntries(folder), std::vector<std::string>{"kelvora.ini"});
}

std::string OfSize(std::size_t size, const std::string& tail) {
    return ";" + std::string(size - tail.size() - 2, '-') + "\n" + tail;
}

// The dialog's four writes gathered and saved as one: on either road, a save lands whole
// or leaves the file byte for byte as it was; the 1 MB limit refuses a save before it
// writes; a save in place never shortens the file (its blanks after the last value
// written read as nothing); a hard-linked file is written in place and keeps its names.
TEST(IniProfile, GatheredWritesLandWholeOrNotAtAll) {
    const std::size_t limit = mScreenSaver::MaxIniFileBytes;
    const std::string four = "[candle]\nh=10\nb=200\nc=145151\n[pumpkin]\nm=0\n";
    struct Case {
        const char* name;
        std::string before;
        bool readOnlyFolder;
        bool hardLinked;
        std::vector<std::string> values;
        int saved;
        int error;
        std::string after;
    };
    const Case cases[] = {
        {"replaced", four, false, false, {"5", "15", "255", "1"}, 1, 0,
         "[candle]\nh=5\nb=15\nc=255\n[pumpkin]\nm=1\n"},
        {"in place, shorter, padded", four, true, false, {"5", "15", "255", "1"}, 1, 0,
         "[candle]\nh=5\nb=15\nc=255\n[pumpkin]\nm=1     \n"},
        {"in place, longer", "[candle]\nh=5\n", true, false, {"10", "200", "145151", "0"}, 1, 0,
         "[candle]\nh=10\nb=200\nc=145151\n[pumpkin]\nm=0\n"},
        {"hard link, in place", four, false, true, {"5", "15", "255", "1"}, 1, 0,
         "[candle]\nh=5\nb=15\nc=255\n[pumpkin]\nm=1     \n"},
        {"exactly the limit", OfSize(limit, four), false, false, {"11", "201", "145152", "1"}, 1, 0,
         OfSize(limit, "[candle]\nh=11\nb=201\nc=145152\n[pumpkin]\nm=1\n")},
        {"exactly the limit, in place", OfSize(limit, four), true, false, {"11", "201", "145152", "1"}, 1, 0,
         OfSize(limit, "[candle]\nh=11\nb=201\nc=145152\n[pumpkin]\nm=1\n")},
        {"one byte over the limit", OfSize(limit, four), false, false, {"10", "200", "145151", "10"}, 0, EFBIG,
         OfSize(limit, four)},
        {"one byte over the limit, in place", OfSize(limit, four), true, false, {"100", "200", "145151", "0"}, 0,
         EFBIG, OfSize(limit, four)},
    };
    const char* keys[][2] = {{"candle", "h"}, {"candle", "b"}, {"candle", "c"}, {"pumpkin", "m"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TemporaryFolder folder;
        std::string path = folder.File("kelvora.ini");
        WriteFileBytes(path, c.before);
        std::filesystem::create_directory(folder.File("other"));
        if (c.hardLinked) {
            ASSERT_EQ(link(path.c_str(), folder.File("other/name.ini").c_str()), 0);
        }
        struct stat before;
        stat(path.c_str(), &before);
        if (c.readOnlyFolder) chmod(folder.Path().c_str(), 0555);
        platform::ini::ProfileWrites writes;
        for (std::size_t i = 0; i < c.values.size(); ++i) {
            EXPECT_EQ(writes.Write(keys[i][0], keys[i][1], c.values[i].c_str(), path.c_str()), 1);
        }
        EXPECT_EQ(FileBytes(path), c.before) << "changed before the save";
        errno = 0;
        EXPECT_EQ(writes.Save(), c.saved);
        if (!c.saved) {
            EXPECT_EQ(errno, c.error);
        }
        chmod(folder.Path().c_str(), 0755);
        EXPECT_EQ(FileBytes(path), c.after);
        struct stat after;
        stat(path.c_str(), &after);
        if (c.hardLinked || c.readOnlyFolder) {
            EXPECT_EQ(after.st_ino, before.st_ino);
        }
        if (c.hardLinked) {
            EXPECT_EQ(FileBytes(folder.File("other/name.ini")), c.after);
        }
        char buffer[16];
        if (c.saved) {
            GetProfileString("pumpkin", "m", "", buffer, 16, path.c_str());
            EXPECT_STREQ(buffer, c.values[3].c_str());
        }
    }
}

// A file over the limit reads as missing and is not written over.
TEST(IniProfile, AFileOverTheLimitIsNotWrittenOver) {
    TemporaryFolder folder;
    std::string path = folder.File("kelvora.ini");
    std::string big = OfSize(mScreenSaver::MaxIniFileBytes + 1, "[candle]\nh=10\n");
    WriteFileBytes(path, big);
    errno = 0;
    EXPECT_EQ(WriteProfileString("candle", "h", "10", path.c_str()), 0);
    EXPECT_EQ(errno, EFBIG);
    EXPECT_EQ(FileBytes(path), big);
}

// A per-user file's first save starts as a copy of the file beside the program; what is
// no settings file is not copied, and the save goes ahead without it.
TEST(IniProfile, SeedingTellsWhatCouldBeCopied) {
    using platform::SeedOutcome;
    struct Case {
        const char* name;
        std::function<void(const std::string&)> make;
        SeedOutcome outcome;
        const char* copied;
    };
    const Case cases[] = {
        {"a settings file", [](const std::string& from) { WriteFileBytes(from, "[a]\nb=c\n"); }, SeedOutcome::Ready,
         "[a]\nb=c\n"},
        {"none", [](const std::string&) {}, SeedOutcome::Ready, nullptr},
        {"a folder", [](const std::string& from) { std::filesystem::create_directory(from); },
         SeedOutcome::SourceNoFile, nullptr},
        {"a loop of links", [](const std::string& from) { std::filesystem::create_symlink("from.ini", from); },
         SeedOutcome::SourceNoFile, nullptr},
        {"/dev/null", [](const std::string& from) { std::filesystem::create_symlink("/dev/null", from); },
         SeedOutcome::SourceNoFile, nullptr},
        {"over 1 MB",
         [](const std::string& from) { WriteFileBytes(from, OfSize(mScreenSaver::MaxIniFileBytes + 1, "[a]\n")); },
         SeedOutcome::SourceTooLarge, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TemporaryFolder folder;
        c.make(folder.File("from.ini"));
        std::string to = folder.File("config/kelvora/kelvora.ini");
        EXPECT_EQ(platform::ini::SeedFile(to, folder.File("from.ini")), c.outcome);
        EXPECT_TRUE(std::filesystem::is_directory(folder.File("config/kelvora")));
        EXPECT_EQ(std::filesystem::exists(to), c.copied != nullptr);
        if (c.copied) {
            EXPECT_EQ(FileBytes(to), c.copied);
        }
    }
}

struct LeftoverCase {
    const char* name;
    // Seconds since the file was last written, from now; negative is in the future.
    int age;
    // Held open with a lock, as a save that is still writing it holds it.
    bool locked;
    bool removed;
};

// Temporary files that interrupted saves left: ours, older than this save and locked by
// no one, go at the next save; the others stay.
TEST(IniProfile, ASaveRemovesTheLeftoversOfInterruptedSaves) {
    const LeftoverCase cases[] = {
        {".kelvora.ini.a1B2c3", 3600, false, true},
        {".kelvora.ini.ZZZZZZ", 1, false, true},
        {".kelvora.ini.x9y8z7", 3600, true, false},
        {".kelvora.ini.q1w2e3", -3600, false, false},
        {".kelvora.ini.short", 3600, false, false},
        {".kelvora.ini.a1-2c3", 3600, false, false},
        {".other.ini.a1B2c3", 3600, false, false},
    };
    TemporaryFolder folder;
    std::string path = folder.File("kelvora.ini");
    WriteFileBytes(path, "[candle]\ncandleheight=10\n");
    std::vector<int> locks;
    for (const LeftoverCase& c : cases) {
        std::string leftover = folder.File(c.name);
        WriteFileBytes(leftover, "[candle]\ncandle");
        timespec times[2];
        clock_gettime(CLOCK_REALTIME, &times[0]);
        times[0].tv_sec -= c.age;
        times[1] = times[0];
        ASSERT_EQ(utimensat(AT_FDCWD, leftover.c_str(), times, 0), 0);
        if (c.locked) {
            int fd = open(leftover.c_str(), O_RDONLY | O_CLOEXEC);
            ASSERT_EQ(flock(fd, LOCK_EX), 0);
            locks.push_back(fd);
        }
    }
    ASSERT_EQ(WriteProfileString("candle", "candleheight", "20", path.c_str()), 1);
    for (int fd : locks) close(fd);
    for (const LeftoverCase& c : cases)
        EXPECT_EQ(std::filesystem::exists(folder.File(c.name)), !c.removed) << c.name;
    EXPECT_EQ(FileBytes(path), "[candle]\ncandleheight=20\n");
}

TEST(IniProfile, RefusesWritesThatWouldBreakTheFilesLines) {
    struct Case {
        const char* section;
        const char* key;
        const char* value;
    } cases[] = {
        {"candle", "candleheight", "10\n[pumpkin]"}, {"candle", "candle\rheight", "10"},
        {"can\ndle", "candleheight", "10"},          {"candle", "candle=height", "10"},
        {"candle", "[candleheight]", "10"},          {"candle", "  ", "10"},
        {nullptr, "candleheight", "10"},             {"candle", nullptr, "10"},
        {"candle", "candleheight", nullptr},
    };
    TemporaryFolder folder;
    std::string path = folder.File("kelvora.ini");
    WriteFileBytes(path, "[candle]\ncandleheight=10\n");
    for (const auto& c : cases) {
        EXPECT_EQ(WriteProfileString(c.section, c.key, c.value, path.c_str()), 0)
            << (c.key ? c.key : "null key");
    }
    EXPECT_EQ(WriteProfileString("candle", "candleheight", "10", nullptr), 0);
    EXPECT_EQ(FileBytes(path), "[candle]\ncandleheight=10\n");
}

TEST(IniProfile, NullArgumentsToAReadGiveTheDefault) {
    TemporaryFolder folder;
    std::string path = folder.File("kelvora.ini");
    WriteFileBytes(path, "[candle]\ncandleheight=10\n");
    char buffer[16];
    EXPECT_EQ(GetProfileString(nullptr, "candleheight", "d", buffer, 16, path.c_str()), 1u);
    EXPECT_EQ(GetProfileString("candle", nullptr, "d", buffer, 16, path.c_str()), 1u);
    EXPECT_EQ(GetProfileString("candle", "candleheight", "d", buffer, 16, nullptr), 1u);
    EXPECT_EQ(GetProfileString("candle", "nothing", nullptr, buffer, 16, path.c_str()), 0u);
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(GetProfileString("candle", "candleheight", "", nullptr, 16, path.c_str()), 0u);
}

}  // namespace

// The event file: lines appended in order, one per event, texts kept on one line, and
// nothing written while nobody asked for the file.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "common/event_note.h"

namespace {

std::string ReadAll(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

class EventNote : public ::testing::Test {
protected:
    void SetUp() override {
        path_ = std::filesystem::temp_directory_path() /
                ("kelvora-event-note-" + std::to_string(getpid()) + "-" +
                 ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove(path_);
    }
    void TearDown() override {
        unsetenv("KELVORA_EVENT_FILE");
        std::filesystem::remove(path_);
    }
    std::filesystem::path path_;
};

TEST_F(EventNote, AppendsOneLinePerEventToWhatIsThere) {
    std::ofstream(path_) << "earlier 1\n";
    setenv("KELVORA_EVENT_FILE", path_.c_str(), 1);
    NoteEvent("first-frame 12.5");
    NoteEvent("ending 0");
    EXPECT_EQ(ReadAll(path_), "earlier 1\nfirst-frame 12.5\nending 0\n");
}

TEST_F(EventNote, WritesNothingWithoutTheVariable) {
    unsetenv("KELVORA_EVENT_FILE");
    NoteEvent("ending 0");
    setenv("KELVORA_EVENT_FILE", "", 1);
    NoteEvent("ending 0");
    EXPECT_FALSE(std::filesystem::exists(path_));
}

TEST_F(EventNote, AFileThatCannotBeOpenedIsPassedOver) {
    setenv("KELVORA_EVENT_FILE", (path_ / "no-such-folder" / "events").c_str(), 1);
    NoteEvent("ending 0");
    SUCCEED();
}

TEST(QuotedForEvent, KeepsEveryTextOnOneLine) {
    struct Case {
        const char* text;
        const char* quoted;
    } cases[] = {
        {"", "\"\""},
        {"Screen Saver", "\"Screen Saver\""},
        {"two\nlines", "\"two\\nlines\""},
        {"C:\\kelvora.ini\r\n", "\"C:\\\\kelvora.ini\\r\\n\""},
        {"say \"OK\"", "\"say \\\"OK\\\"\""},
    };
    for (const Case& c : cases) EXPECT_EQ(QuotedForEvent(c.text), c.quoted) << c.text;
}

}  // namespace

// Kelvora added to XScreenSaver's programs list as the daemon's resource files hold it:
// once, last, every other line kept, the system's list taken when the user has none.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "backends/linux/xscreensaver_programs.h"

namespace {

using platform::xscreensaver::WithKelvoraListed;

// The entry as it is added, after a line that the list continues.
const std::string Entry = "  GL: \t\t\t\tkelvora --root\t\t\t\t    \\n\n";

// As Debian's app-defaults states the list.
const std::string System =
    "*fade:\t\tTrue\n"
    "*programs:\t\t\\\n"
    "\t\t\t\tmaze --root\t\t\\n\\\n"
    "  GL: \t\t\t\tklein --root\t\t\\n\n"
    "*pointerHysteresis: 10\n";

TEST(XScreenSaverPrograms, AddsKelvoraOnceAtTheEndKeepingEverythingElse) {
    struct Case {
        const char* what;
        std::string user;
        bool added;
        std::string written;
    };
    const std::string userList =
        "mode:\t\tone\nselected:\t1\nprograms:\t\t\\\n  maze -root \\n\\\n  GL: klein -root \\n\n\ntimeout: 0:10:00\n";
    const std::vector<Case> cases = {
        {"no file: the system's list and ours", "", true,
         "programs:\t\t\\\n\t\t\t\tmaze --root\t\t\\n\\\n  GL: \t\t\t\tklein --root\t\t\\n\\\n" + Entry},
        {"a list of the user's own", userList, true,
         "mode:\t\tone\nselected:\t1\nprograms:\t\t\\\n  maze -root \\n\\\n  GL: klein -root \\n\\\n" + Entry +
             "\ntimeout: 0:10:00\n"},
        {"settings without a list", "mode:\t\tone\n", true,
         "mode:\t\tone\n\nprograms:\t\t\\\n\t\t\t\tmaze --root\t\t\\n\\\n  GL: \t\t\t\tklein --root\t\t\\n\\\n" + Entry},
        {"an empty list", "programs:\n", true, "programs: \\\n" + Entry},
        {"a blank line ending the list", "programs: \\\n  maze -root \\n\\\n\nmode: one\n", true,
         "programs: \\\n  maze -root \\n\\\n  GL: \t\t\t\tkelvora --root\t\t\t\t    \\n\\\n\nmode: one\n"},
        {"a last entry without its \\n", "programs: maze -root\n", true, "programs: maze -root\\n\\\n" + Entry},
        {"listed already", "programs: \\\n  GL: kelvora --root \\n\n", false, "programs: \\\n  GL: kelvora --root \\n\n"},
        {"listed with options and a path", "programs: \\\n \"Pumpkin\" /usr/libexec/xscreensaver/kelvora -root --fps\n",
         false, "programs: \\\n \"Pumpkin\" /usr/libexec/xscreensaver/kelvora -root --fps\n"},
        {"switched off by the user", "programs: \\\n- GL: kelvora --root \\n\n", false,
         "programs: \\\n- GL: kelvora --root \\n\n"},
        {"a hack whose name only starts with kelvora", "programs: kelvorax -root \\n\n", true,
         "programs: kelvorax -root \\n\\\n" + Entry},
        {"a comment naming the list", "! programs: kelvora\nprograms: maze \\n\n", true,
         "! programs: kelvora\nprograms: maze \\n\\\n" + Entry},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto listed = WithKelvoraListed(c.user, System);
        EXPECT_EQ(listed.added, c.added);
        EXPECT_EQ(listed.userFile, c.written);
        // A second run finds it and changes nothing.
        auto again = WithKelvoraListed(listed.userFile, System);
        EXPECT_FALSE(again.added);
        EXPECT_EQ(again.userFile, listed.userFile);
    }
}

TEST(XScreenSaverPrograms, FindsTheListWhereverTheFileHasOne) {
    EXPECT_TRUE(platform::xscreensaver::HasProgramsList(System));
    EXPECT_TRUE(platform::xscreensaver::HasProgramsList("XScreenSaver.programs: maze\n"));
    EXPECT_FALSE(platform::xscreensaver::HasProgramsList("mode: one\n! programs: maze\n"));
    EXPECT_FALSE(platform::xscreensaver::HasProgramsList("textProgram: programs: x\n"));
    EXPECT_FALSE(platform::xscreensaver::HasProgramsList(""));
}

}  // namespace

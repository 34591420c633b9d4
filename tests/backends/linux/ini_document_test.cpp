// The INI document on its own: it gives back exactly the bytes it was made of, and a
// change touches only the one line it must.
#include <gtest/gtest.h>

#include "data/ini/profile_cases.h"
#include "backends/linux/ini_document.h"

namespace {

using platform::ini::Document;

TEST(IniDocument, GivesBackEveryFixtureByteForByte) {
    for (const auto& c : profile_cases::Cases()) {
        if (c.contents) {
            EXPECT_EQ(Document(*c.contents).Bytes(), *c.contents) << c.file;
        }
    }
    using namespace std::literals;
    // UTF-16 both ways round, with a lone surrogate and a last byte without its partner.
    for (std::string_view odd : {"\r\r\n\n"sv, "\n"sv, "x"sv, "\xEF\xBB\xBF"sv, "a\0b\r\n"sv, "[\r]\n=\r\n"sv,
                                 "\xFF\xFE[\0a\0]\0\r\0\n\0\x00\xD8k"sv, "\xFE\xFF\0[\0a\0]\0\r"sv}) {
        EXPECT_EQ(Document(odd).Bytes(), odd);
    }
}

TEST(IniDocument, SetsValuesWhereWindowsPutsThem) {
    struct Case {
        const char* before;
        const char* section;
        const char* key;
        const char* value;
        const char* after;
    } cases[] = {
        // The key keeps its spelling and the blanks up to the old value.
        {"[a]\r\n  Key =  old  \r\nz=1\r\n", "A", "key", "new", "[a]\r\n  Key =  new\r\nz=1\r\n"},
        // A line without "=" gets one.
        {"[a]\nkey  \n", "a", "key", "v", "[a]\nkey=v\n"},
        // A new key follows the section's last entry, ahead of the blank lines.
        {"[a]\nx=1\n\n\n[b]\ny=2\n", "a", "k", "v", "[a]\nx=1\nk=v\n\n\n[b]\ny=2\n"},
        // A new section goes at the very end, after blank lines too.
        {"[a]\nx=1\n\n", "b", "k", "v", "[a]\nx=1\n\n[b]\nk=v\n"},
        // A file that ends without a line break still does; the break that a new line
        // needs is the file's first.
        {"[a]\rx=1", "a", "k", "v", "[a]\rx=1\rk=v"},
        // A new name is written without the caller's surrounding blanks.
        {"", "  b ", " k ", "v", "[b]\r\nk=v\r\n"},
        // A header that lacks its "]" is an entry, not a section.
        {"[a\nk=1\n", "a", "k", "2", "[a\nk=1\n[a]\nk=2\n"},
    };
    for (const auto& c : cases) {
        Document document(c.before);
        document.Set(c.section, c.key, c.value);
        EXPECT_EQ(document.Bytes(), c.after) << c.before;
    }
}

TEST(IniDocument, FindsTheFirstMatchIgnoringCaseAndBlanks) {
    Document document("k=0\n[A]\nK=1\nk=2\n[a]\nk=3\nj=4\n[b]\nnoequals\n");
    EXPECT_EQ(document.Find(" a ", " k "), "1");
    EXPECT_EQ(document.Find("a", "j"), std::nullopt);
    EXPECT_EQ(document.Find("b", "noequals"), std::nullopt);
    EXPECT_EQ(document.Find("c", "k"), std::nullopt);
}

}  // namespace

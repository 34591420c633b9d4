// The INI fixtures that the profile functions are checked on: each a file (or none), the
// reads before and after its writes, and the bytes the writes leave behind. The native
// unit tests hold our INI code to every expectation here; the profile probe runs the
// same cases through our code and through the Windows functions under Wine, and the two
// outputs must agree.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace profile_cases {

struct Read {
    std::string section;
    std::string key;
    std::string defaultText;
    std::uint32_t size;
    std::string expected;  // the characters copied; their count is the expected return
};

struct Write {
    std::string section;
    std::string key;
    std::string value;
    bool succeeds = true;
};

struct Case {
    std::string file;
    std::optional<std::string> contents;  // none: the file does not exist
    std::vector<Read> readsBefore;
    std::vector<Write> writes;
    std::vector<Read> readsAfter;
    // The file after the writes as Windows leaves it: only the changed or added lines
    // differ, and every other byte stays as it was.
    std::optional<std::string> expectedAfter;
    // Where Wine differs from Windows, and what the comparison does about it:
    // - Wine writes a whole file anew in its own layout: "\r\n" after every line (LF and
    //   CR files become CRLF, a missing final break is added), no blanks around names,
    //   "=" and values, no blank lines. Windows keeps every line it does not change (Wine's
    //   own tests mark the keeping of foreign bytes as a Wine shortcoming). The probe
    //   therefore prints the lines' meaning for every fixture and the bytes only for the
    //   fixtures already in Wine's layout, which must then agree byte for byte.
    // - Wine run by root writes to a read-only file, as root may; Windows, and Wine run by
    //   a user, refuse. Run by root, the comparison leaves the read-only fixture out.
    // - Wine cuts one character too many from a quoted value that exactly fills the
    //   buffer; the unit tests keep Windows' rule of size - 1 characters there.
    bool sameBytesUnderWine = false;
    bool readOnlyFile = false;
};

inline std::string Digits(std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) text += static_cast<char>('0' + i % 10);
    return text;
}

// ASCII text as a UTF-16 file holds it, byte-order mark first: little-endian, as Windows
// writes such files.
inline std::string Utf16(const std::string& ascii) {
    std::string bytes = "\xFF\xFE";
    for (char c : ascii) bytes += {c, '\0'};
    return bytes;
}

inline const std::vector<Case>& Cases() {
    static const std::vector<Case> cases = {
        {"letter_case.ini",
         "[Candle]\r\ncandleBrightness=150\r\nCANDLEHEIGHT=10\r\n",
         {{"candle", "candlebrightness", "", 255, "150"},
          {"CANDLE", "candleheight", "", 255, "10"},
          {" candle ", "  CandleHeight  ", "", 255, "10"},
          {"candle", "candlebrightness", "", 3, "15"},
          {"candle", "candlebrightness", "", 1, ""}},
         {{"candle", "CandleBrightness", "175"}},
         {{"candle", "candlebrightness", "", 255, "175"}},
         "[Candle]\r\ncandleBrightness=175\r\nCANDLEHEIGHT=10\r\n",
         true},
        {"spaces_lf.ini",
         "[ candle ]\n  candleheight = 10  \n\tcandlecolor\t=\t145151\n",
         {{"candle", "candleheight", "", 255, "10"}, {"candle", "candlecolor", "", 255, "145151"}},
         {{"candle", "candleheight", "12"}},
         {{"candle", "candleheight", "", 255, "12"}, {"candle", "candlecolor", "", 255, "145151"}},
         "[ candle ]\n  candleheight = 12\n\tcandlecolor\t=\t145151\n"},
        {"comments.ini",
         "; Kelvora settings\r\n[candle]\r\n; flame height\r\ncandleheight=10\r\n"
         ";candlecolor=1\r\n\r\n[pumpkin]\r\nmovePumpkin=0 ; still\r\n",
         {{"candle", "candlecolor", "", 255, ""}, {"pumpkin", "movepumpkin", "", 255, "0 ; still"}},
         {{"candle", "candlecolor", "255"}},
         {{"candle", "candlecolor", "", 255, "255"}, {"candle", "candleheight", "", 255, "10"}},
         "; Kelvora settings\r\n[candle]\r\n; flame height\r\ncandleheight=10\r\n"
         ";candlecolor=1\r\ncandlecolor=255\r\n\r\n[pumpkin]\r\nmovePumpkin=0 ; still\r\n"},
        {"duplicates.ini",
         "[candle]\r\ncandleheight=10\r\ncandleheight=20\r\n[pumpkin]\r\nmovePumpkin=1\r\n"
         "[CANDLE]\r\ncandleheight=30\r\ncandlecolor=255\r\n",
         {{"candle", "candleheight", "", 255, "10"}, {"candle", "candlecolor", "x", 255, "x"}},
         {{"candle", "candleheight", "11"}, {"candle", "candlecolor", "99"}},
         {{"candle", "candleheight", "", 255, "11"}, {"candle", "candlecolor", "", 255, "99"}},
         "[candle]\r\ncandleheight=11\r\ncandleheight=20\r\ncandlecolor=99\r\n[pumpkin]\r\n"
         "movePumpkin=1\r\n[CANDLE]\r\ncandleheight=30\r\ncandlecolor=255\r\n",
         true},
        {"lf_only.ini",
         "[candle]\ncandleheight=10\n",
         {{"candle", "candleheight", "", 255, "10"}},
         {{"candle", "candlecolor", "145151"}, {"pumpkin", "movePumpkin", "0"}},
         {{"candle", "candlecolor", "", 255, "145151"}, {"pumpkin", "movepumpkin", "", 255, "0"}},
         "[candle]\ncandleheight=10\ncandlecolor=145151\n[pumpkin]\nmovePumpkin=0\n"},
        {"cr_only.ini",
         "[candle]\rcandleheight=10\rcandlecolor=7\r",
         {{"candle", "candleheight", "", 255, "10"}, {"candle", "candlecolor", "", 255, "7"}},
         {{"candle", "candleheight", "11"}},
         {{"candle", "candleheight", "", 255, "11"}, {"candle", "candlecolor", "", 255, "7"}},
         "[candle]\rcandleheight=11\rcandlecolor=7\r"},
        {"no_final_newline.ini",
         "[candle]\r\ncandleheight=10",
         {{"candle", "candleheight", "", 255, "10"}},
         {{"candle", "candleheight", "15"}, {"pumpkin", "movePumpkin", "1"}},
         {{"candle", "candleheight", "", 255, "15"}, {"pumpkin", "movepumpkin", "", 255, "1"}},
         "[candle]\r\ncandleheight=15\r\n[pumpkin]\r\nmovePumpkin=1"},
        {"long_value.ini",
         "[candle]\r\ncandlecolor=" + Digits(300) + "\r\n",
         {{"candle", "candlecolor", "", 255, Digits(254)},
          {"candle", "candlecolor", "", 300, Digits(299)},
          {"candle", "candlecolor", "", 301, Digits(300)}},
         {{"candle", "candlecolor", Digits(300) + "x"}},
         {{"candle", "candlecolor", "", 400, Digits(300) + "x"}},
         "[candle]\r\ncandlecolor=" + Digits(300) + "x\r\n",
         true},
        {"missing.ini",
         std::nullopt,
         {{"candle", "candleheight", "", 255, ""}, {"candle", "candleheight", "ten  ", 255, "ten"}},
         {{"candle", "candleheight", "10"},
          {"candle", "candleBrightness", "200"},
          {"candle", "candlecolor", "145151"},
          {"pumpkin", "movePumpkin", "0"}},
         {{"candle", "candlebrightness", "", 255, "200"}, {"pumpkin", "movepumpkin", "", 255, "0"}},
         "[candle]\r\ncandleheight=10\r\ncandleBrightness=200\r\ncandlecolor=145151\r\n"
         "[pumpkin]\r\nmovePumpkin=0\r\n",
         true},
        {"empty_file.ini",
         "",
         {{"candle", "candleheight", "dflt", 255, "dflt"}},
         {{"pumpkin", "movePumpkin", "1"}},
         {{"pumpkin", "movepumpkin", "", 255, "1"}},
         "[pumpkin]\r\nmovePumpkin=1\r\n",
         true},
        {"empty_value.ini",
         "[candle]\r\ncandleheight=\r\ncandlecolor=   \r\n",
         {{"candle", "candleheight", "dflt", 255, ""}, {"candle", "candlecolor", "dflt", 255, ""}},
         {{"candle", "candleheight", "10"}, {"candle", "candlecolor", ""}},
         {{"candle", "candleheight", "", 255, "10"}, {"candle", "candlecolor", "dflt", 255, ""}},
         "[candle]\r\ncandleheight=10\r\ncandlecolor=\r\n"},
        {"quoted.ini",
         "[candle]\r\ndouble=\"150\"\r\nsingle='abc'\r\nmixed=\"abc'\r\nlone=\"\r\n"
         "empty=\"\"\r\ninner=a\"b\"c\r\nspaced=  \" x \"  \r\n",
         {{"candle", "double", "", 255, "150"},
          {"candle", "single", "", 255, "abc"},
          {"candle", "mixed", "", 255, "\"abc'"},
          {"candle", "lone", "", 255, "\""},
          {"candle", "empty", "dflt", 255, ""},
          {"candle", "inner", "", 255, "a\"b\"c"},
          {"candle", "spaced", "", 255, " x "},
          {"candle", "double", "", 3, "15"}},
         {{"candle", "single", "\"def\""}},
         {{"candle", "single", "", 255, "def"}},
         "[candle]\r\ndouble=\"150\"\r\nsingle=\"def\"\r\nmixed=\"abc'\r\nlone=\"\r\n"
         "empty=\"\"\r\ninner=a\"b\"c\r\nspaced=  \" x \"  \r\n"},
        {"byte_order_mark.ini",
         "\xEF\xBB\xBF[candle]\r\ncandleheight=10\r\n",
         {{"candle", "candleheight", "", 255, "10"}},
         {{"candle", "candleheight", "11"}},
         {{"candle", "candleheight", "", 255, "11"}},
         "\xEF\xBB\xBF[candle]\r\ncandleheight=11\r\n",
         true},
        {"utf16.ini",
         Utf16("[candle]\r\ncandleheight=10\r\n"),
         {{"candle", "candleheight", "", 255, "10"}},
         {{"candle", "candleheight", "11"}, {"pumpkin", "movePumpkin", "1"}},
         {{"candle", "candleheight", "", 255, "11"}, {"pumpkin", "movepumpkin", "", 255, "1"}},
         Utf16("[candle]\r\ncandleheight=11\r\n[pumpkin]\r\nmovePumpkin=1\r\n"),
         true},
        {"before_first_section.ini",
         "candleheight=5\r\n[candle]\r\ncandlecolor=1\r\n",
         {{"candle", "candleheight", "", 255, ""}, {"candle", "candlecolor", "", 255, "1"}},
         {{"candle", "candleheight", "7"}},
         {{"candle", "candleheight", "", 255, "7"}},
         "candleheight=5\r\n[candle]\r\ncandlecolor=1\r\ncandleheight=7\r\n",
         true},
        {"empty_section.ini",
         "[candle]\r\n[pumpkin]\r\nmovePumpkin=1\r\n",
         {{"candle", "candleheight", "", 255, ""}},
         {{"candle", "candleheight", "10"}},
         {{"candle", "candleheight", "", 255, "10"}, {"pumpkin", "movepumpkin", "", 255, "1"}},
         "[candle]\r\ncandleheight=10\r\n[pumpkin]\r\nmovePumpkin=1\r\n",
         true},
        {"read_only.ini",
         "[candle]\r\ncandleheight=10\r\n",
         {{"candle", "candleheight", "", 255, "10"}},
         {{"candle", "candleheight", "20", false}},
         {{"candle", "candleheight", "", 255, "10"}},
         "[candle]\r\ncandleheight=10\r\n",
         true,
         true},
    };
    return cases;
}

}  // namespace profile_cases

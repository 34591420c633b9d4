// Numbers read from text: the lenient numeric value and the strict conversions.
#include <gtest/gtest.h>

#include <cmath>

#include "common/numeric_text.h"
#include "common/runtime_error.h"

namespace {

TEST(NumericValue, ReadsTheLeadingNumberAndIgnoresBlanksTabsAndLineFeeds) {
    struct Case {
        const char* text;
        double value;
    } cases[] = {
        {"", 0},           {"abc", 0},          {"001", 1},        {" 1234", 1234},
        {"1 2 3", 123},    {"\t-4\n2", -42},    {"+7", 7},         {"3.5", 3.5},
        {".5", 0.5},       {"1e3", 1000},       {"1E+2x", 100},    {"2e", 2},
        {"12/x", 12},      {":1234", 0},        {"- 5", -5},       {"1.2.3", 1.2},
        {"1234 /x", 1234}, {"1e-400", 0},       {"-", 0},          {"\r5", 0},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(NumericValue(c.text), c.value) << '"' << c.text << '"';
    }
}

TEST(NumericValue, FailsWithOverflowBeyondTheDoubleRange) {
    try {
        NumericValue("1e400");
        FAIL() << "no failure";
    } catch (const RuntimeError& e) {
        EXPECT_EQ(e.code(), ErrorCode::Overflow);
    }
}

ErrorCode FailureOf(void (*convert)(const char*), const char* text) {
    try {
        convert(text);
    } catch (const RuntimeError& e) {
        return e.code();
    }
    return ErrorCode{};
}

TEST(StrictConversion, RoundsHalvesToEvenAndRejectsWhatIsNotANumber) {
    EXPECT_EQ(TextToInt16("10"), 10);
    EXPECT_EQ(TextToInt16(" 2.5 "), 2);
    EXPECT_EQ(TextToInt16("3.5"), 4);
    EXPECT_EQ(TextToInt16("-0.5"), 0);
    EXPECT_EQ(TextToInt16("&HFF"), 255);
    EXPECT_EQ(TextToInt16("&h0a"), 10);
    EXPECT_EQ(TextToInt32("145151"), 145151);
    EXPECT_EQ(TextToInt32("-2147483648"), INT32_MIN);
    EXPECT_FLOAT_EQ(TextToSingle("200"), 200.0f);
    EXPECT_DOUBLE_EQ(TextToDouble("0.5"), 0.5);

    auto int16 = [](const char* t) { TextToInt16(t); };
    auto int32 = [](const char* t) { TextToInt32(t); };
    auto single = [](const char* t) { TextToSingle(t); };
    auto real = [](const char* t) { TextToDouble(t); };
    struct Case {
        void (*convert)(const char*);
        const char* text;
        ErrorCode code;
    } cases[] = {
        {int16, "", ErrorCode::TypeMismatch},      {int16, "abc", ErrorCode::TypeMismatch},
        {int16, "1x", ErrorCode::TypeMismatch},    {int16, "32768", ErrorCode::Overflow},
        {int16, "-32769", ErrorCode::Overflow},    {int16, "32767.5", ErrorCode::Overflow},
        {int32, "2147483648", ErrorCode::Overflow}, {int32, "", ErrorCode::TypeMismatch},
        {single, "1e39", ErrorCode::Overflow},     {real, "1e400", ErrorCode::Overflow},
        {real, " ", ErrorCode::TypeMismatch},      {real, "nan", ErrorCode::TypeMismatch},
        {real, "inf", ErrorCode::TypeMismatch},    {int16, "&H", ErrorCode::TypeMismatch},
        {int32, "&H123456789", ErrorCode::Overflow},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FailureOf(c.convert, c.text), c.code) << '"' << c.text << '"';
    }
}

}  // namespace

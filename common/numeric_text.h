// Numbers read from text and written as text, the way the saver's settings, registry
// values and command lines need them.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// The leading decimal number of a text: blanks, tabs and line feeds are ignored anywhere,
// a sign, a decimal point and an exponent are understood, reading stops at the first
// character that cannot continue the number, and a text without a number gives 0.
// A number beyond the double range fails with Overflow.
double NumericValue(std::string_view text);

// Strict conversions of a whole text (surrounding blanks allowed, "&H" hexadecimal too).
// An empty or non-numeric text fails with TypeMismatch, a value out of range with
// Overflow; whole numbers round to the nearest, halves to even.
std::int16_t TextToInt16(std::string_view text);
std::int32_t TextToInt32(std::string_view text);
float TextToSingle(std::string_view text);
double TextToDouble(std::string_view text);

// The nearest whole number, halves to even; Overflow when it lies outside the type.
std::int16_t RoundToInt16(double value);
std::int32_t RoundToInt32(double value);

// The nearest single; Overflow when the value lies beyond the single range.
float ToSingle(double value);

// Plain decimal digits with a leading "-" when negative.
std::string DecimalText(std::int64_t value);

// The few text operations the saver's routines are written in terms of.
#pragma once
#include <string>
#include <string_view>

// Leading and trailing blanks (spaces only) removed.
std::string TrimBlanks(std::string_view text);

std::string UpperCase(std::string_view text);

// The first count characters (all when the text is shorter).
std::string LeftChars(std::string_view text, std::size_t count);

// The last count characters (all when the text is shorter); a negative count is an
// invalid argument.
std::string RightChars(std::string_view text, long long count);

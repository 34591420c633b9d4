// 16-bit flags as the saver's routines pass them: true is -1, false is 0, and any
// non-zero value counts as true where a flag is tested.
#pragma once
#include <cstdint>

using Flag = std::int16_t;

inline constexpr Flag True = -1;
inline constexpr Flag False = 0;

constexpr Flag ToFlag(bool value) { return value ? True : False; }

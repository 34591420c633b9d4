// The stored candle colour, decimal text of a 0x00BBGGRR value, as the flame's three
// components from 0 to 1.
#pragma once
#include <string>

namespace mScreenSaver {

// Falls back to a fixed orange when the text is not a whole number in the 32-bit range.
void ColorToRgb(std::string colorText, float& red, float& green, float& blue);

}  // namespace mScreenSaver

// A setting's command-line option as the hack takes it and XScreenSaver's settings file
// passes it: the table name's words joined by "-" (candleHeight -> candle-height), and a
// colour as the option takes it.
#pragma once
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <string>

#include "common/color_bytes.h"
#include "settings/settings_table.h"

namespace mScreenSaver {

inline std::string OptionName(const SettingDefinition& setting) {
    std::string option;
    for (const char* c = setting.name; *c; ++c) {
        if (std::isupper(static_cast<unsigned char>(*c))) option += '-';
        option += static_cast<char>(std::tolower(static_cast<unsigned char>(*c)));
    }
    return option;
}

// A stored 0x00BBGGRR colour as the option's six hexadecimal digits, red first.
inline std::string RgbHexText(std::int32_t storedColor) {
    ColorBytes color = UnpackColor(static_cast<std::uint32_t>(storedColor), ColorLayout::RedLow);
    char text[8];
    std::snprintf(text, sizeof text, "%02X%02X%02X", unsigned{color.red}, unsigned{color.green},
                  unsigned{color.blue});
    return text;
}

}  // namespace mScreenSaver

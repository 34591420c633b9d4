// A setting's command-line option as the hack takes it and XScreenSaver's settings file
// passes it: the table name's words joined by "-" (candleHeight -> candle-height).
#pragma once
#include <cctype>
#include <string>

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

}  // namespace mScreenSaver

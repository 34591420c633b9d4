// The settings files' paths, the media folder's path, the record of the four settings as
// texts, and the read routines.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "settings/settings_table.h"

namespace mScreenSaver {

struct SettingsRecord {
    std::string candleHeight;
    std::string candleBrightness;
    std::string candleColor;
    std::string movePumpkin;
};

inline constexpr const char* IniFileName = "kelvora.ini";
// The largest settings file the profile functions are given: a real one holds a few
// hundred bytes, and a larger file (megabytes of empty lines, say) reads as missing rather
// than being read for seconds.
inline constexpr std::size_t MaxIniFileBytes = 1u << 20;

// Both beside the executable, or, where only there the media are found, in the installed
// data folder share/kelvora two folders up (see settings.cpp).
std::string IniFilePath();
// The per-user settings file; empty when the system names no per-user folder.
std::string UserIniFilePath();
std::string MediaFolderPath();

// The stored text, at most 254 characters; empty when the file, section or key is
// missing. Never fails.
void ReadIniValue(const std::string& section, const std::string& key, std::string& value,
                  const std::string& file);

// The setting's text, under the key the readers ask for, from the first of the files
// that holds a non-empty one, into the caller's field of its settings record; empty when none does.
void ReadSetting(const SettingDefinition& setting, std::string& field,
                 const std::vector<std::string>& files);

}  // namespace mScreenSaver

// The settings file beside the executable: its path, the media folder's path, the
// process-wide record of the four settings as texts, and the one read routine.
#pragma once
#include <string>

namespace mScreenSaver {

struct SettingsRecord {
    std::string candleHeight;
    std::string candleBrightness;
    std::string candleColor;
    std::string movePumpkin;
};

// Empty at start; readers and the dialog fill it on their way to and from the file.
extern SettingsRecord Settings;

inline constexpr const char* IniFileName = "kelvora.ini";

std::string IniFilePath();
std::string MediaFolderPath();

// The stored text, at most 254 characters; empty when the file, section or key is
// missing. Never fails.
void ReadIniValue(const std::string& section, const std::string& key, std::string& value,
                  const std::string& file);

}  // namespace mScreenSaver

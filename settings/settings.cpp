#include "settings/settings.h"

#include "seams/toolkit.h"
#include "seams/windows_api.h"

namespace mScreenSaver {

SettingsRecord Settings;

namespace {

// The application folder with exactly one separator before the name; a drive root
// already ends in one.
std::string BesideExecutable(const std::string& name) {
    std::string folder = platform::App().ApplicationFolder();
    char separator = platform::App().PathSeparator();
    if (folder.empty() || folder.back() != separator) folder += separator;
    return folder + name;
}

}  // namespace

std::string IniFilePath() { return BesideExecutable(IniFileName); }

std::string UserIniFilePath() {
    std::string folder = platform::App().UserSettingsFolder();
    if (folder.empty()) return folder;
    return folder + platform::App().PathSeparator() + IniFileName;
}

std::string MediaFolderPath() {
    char separator = platform::App().PathSeparator();
    return BesideExecutable(std::string("durnwick") + separator + "kelvora" + separator);
}

void ReadIniValue(const std::string& section, const std::string& key, std::string& value,
                  const std::string& file) {
    constexpr unsigned bufferSize = 255;
    value.assign(bufferSize, ' ');
    unsigned n = platform::Windows().GetPrivateProfileStringA(
        section.c_str(), key.c_str(), "", value.data(), bufferSize, file.c_str());
    value.resize(n < bufferSize ? n : bufferSize - 1);
}

void ReadSetting(const SettingDefinition& setting, std::string& field,
                 const std::vector<std::string>& files) {
    field.clear();
    for (const std::string& file : files) {
        ReadIniValue(setting.section, setting.readKey, field, file);
        if (!field.empty()) return;
    }
}

}  // namespace mScreenSaver

#include "settings/settings.h"

#include <filesystem>
#include <system_error>

#include "seams/toolkit.h"
#include "seams/windows_api.h"

namespace mScreenSaver {

namespace {

// The folder with exactly one separator at its end; a drive root already ends in one.
std::string WithSeparator(std::string folder) {
    char separator = platform::App().PathSeparator();
    if (folder.empty() || folder.back() != separator) folder += separator;
    return folder;
}

// Where the media and the default settings live: beside the executable, as a build and a
// copied folder have them; or else, when only that one has the media, in share/kelvora
// two folders up, as the Linux package installs them (the program in
// /usr/libexec/xscreensaver/, its files in /usr/share/kelvora/).
std::string DataFolder() {
    std::string beside = WithSeparator(platform::App().ApplicationFolder());
    char separator = platform::App().PathSeparator();
    std::string media = std::string("durnwick") + separator + "kelvora";
    std::string installed = std::filesystem::path(beside + ".." + separator + ".." + separator + "share" +
                                                  separator + "kelvora")
                                .lexically_normal()
                                .string();
    std::error_code ignored;
    if (!std::filesystem::is_directory(beside + media, ignored) &&
        std::filesystem::is_directory(WithSeparator(installed) + media, ignored))
        return WithSeparator(installed);
    return beside;
}

std::string InDataFolder(const std::string& name) { return DataFolder() + name; }

}  // namespace

std::string IniFilePath() { return InDataFolder(IniFileName); }

std::string UserIniFilePath() {
    std::string folder = platform::App().UserSettingsFolder();
    if (folder.empty()) return folder;
    return folder + platform::App().PathSeparator() + IniFileName;
}

std::string MediaFolderPath() {
    char separator = platform::App().PathSeparator();
    return InDataFolder(std::string("durnwick") + separator + "kelvora" + separator);
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

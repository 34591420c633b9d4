#include "fakes/ini_windows_api.h"

#include "fakes/call_log.h"
#include "backends/linux/ini_profile.h"

namespace fakes {

namespace {
const char* Shown(const char* text) { return text ? text : "null"; }
}  // namespace

std::uint32_t IniWindowsApi::GetPrivateProfileStringA(const char* section, const char* key,
                                                      const char* defaultText, char* buffer,
                                                      std::uint32_t size, const char* file) {
    Log().Add(Call("GetPrivateProfileStringA", Shown(section), Shown(key), Shown(defaultText), size,
                   Shown(file)));
    return platform::ini::GetProfileString(section, key, defaultText, buffer, size, file, parsed_);
}

std::int32_t IniWindowsApi::WritePrivateProfileStringA(const char* section, const char* key,
                                                       const char* value, const char* file) {
    Log().Add(Call("WritePrivateProfileStringA", Shown(section), Shown(key), Shown(value), Shown(file)));
    return platform::ini::WriteProfileString(section, key, value, file);
}

IniWindowsApi& InstallIniWindowsApi() {
    static IniWindowsApi windows;
    windows = IniWindowsApi();
    platform::Windows.Install(windows);
    Log().Clear();
    return windows;
}

}  // namespace fakes

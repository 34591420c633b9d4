// The profile functions on Linux: our own INI code with the Windows semantics.
#include "backends/linux/ini_profile.h"
#include "backends/linux/linux_windows_api.h"

namespace platform {

std::uint32_t LinuxWindowsApi::GetPrivateProfileStringA(const char* section, const char* key,
                                                        const char* defaultText, char* buffer,
                                                        std::uint32_t size, const char* file) {
    return ini::GetProfileString(section, key, defaultText, buffer, size, file);
}

std::int32_t LinuxWindowsApi::WritePrivateProfileStringA(const char* section, const char* key,
                                                         const char* value, const char* file) {
    return ini::WriteProfileString(section, key, value, file);
}

}  // namespace platform

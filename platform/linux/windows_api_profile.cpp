// The profile functions on Linux.
#include <cstring>

#include "platform/linux/linux_windows_api.h"

namespace platform {

std::uint32_t LinuxWindowsApi::GetPrivateProfileStringA(const char*, const char*,
                                                        const char* defaultText, char* buffer,
                                                        std::uint32_t size, const char*) {
    if (size == 0) return 0;
    std::strncpy(buffer, defaultText, size - 1);
    buffer[size - 1] = '\0';
    return static_cast<std::uint32_t>(std::strlen(buffer));
}

std::int32_t LinuxWindowsApi::WritePrivateProfileStringA(const char*, const char*, const char*,
                                                         const char*) {
    return 0;
}

}  // namespace platform

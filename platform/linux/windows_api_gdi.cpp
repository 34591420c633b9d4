// The device-context functions on Linux.
#include "platform/linux/linux_windows_api.h"

namespace platform {

Handle LinuxWindowsApi::GetDC(Handle) { return 0; }
std::int32_t LinuxWindowsApi::ReleaseDC(Handle, Handle) { return 0; }
std::int32_t LinuxWindowsApi::BitBlt(Handle, std::int32_t, std::int32_t, std::int32_t,
                                     std::int32_t, Handle, std::int32_t, std::int32_t,
                                     std::uint32_t) {
    return 0;
}

}  // namespace platform

// The Windows functions that the host, the settings store and the dialog call, under
// their Windows names with their Windows arguments and results. The Windows backend
// passes straight through; the Linux backend answers as a Linux desktop honestly can;
// tests install a recording fake.
#pragma once
#include <cstdint>

#include "seams/slot.h"

namespace platform {

// HWND, HDC and HKEY travel as plain integers so that no Windows header leaks out.
// The constants below carry the Windows values under names that cannot collide with
// the macros of <windows.h>.
using Handle = std::intptr_t;

// OSVERSIONINFOA, byte for byte.
struct OsVersionInfoA {
    std::uint32_t dwOSVersionInfoSize = 0;
    std::uint32_t dwMajorVersion = 0;
    std::uint32_t dwMinorVersion = 0;
    std::uint32_t dwBuildNumber = 0;
    std::uint32_t dwPlatformId = 0;
    char szCSDVersion[128] = {};
};
static_assert(sizeof(OsVersionInfoA) == 148);

inline constexpr std::uint32_t VerPlatformWin32Nt = 2;
inline constexpr std::uint32_t HkeyCurrentUser = 0x80000001u;
inline constexpr std::uint32_t KeyRead = 0x20019u;
inline constexpr std::uint32_t RegSz = 1;
inline constexpr std::uint32_t RegDword = 4;
inline constexpr std::uint32_t SpiScreenSaverRunning = 97;
inline constexpr Handle HwndTop = 0;
inline constexpr Handle HwndTopmost = -1;
inline constexpr Handle HwndNoTopmost = -2;
inline constexpr std::uint32_t SwpNoSize = 0x1;
inline constexpr std::uint32_t SwpNoMove = 0x2;
inline constexpr std::uint32_t SwpShowWindow = 0x40;
inline constexpr std::uint32_t SwpHideWindow = 0x80;
inline constexpr std::uint32_t SrcCopy = 0x00CC0020u;
inline constexpr std::int32_t SwShowNormal = 1;
inline constexpr std::uint32_t ErrorHandleDiskFull = 39;
inline constexpr std::uint32_t ErrorDiskFull = 112;
inline constexpr std::uint32_t ErrorFileTooLarge = 223;

class WindowsApi {
public:
    virtual ~WindowsApi() = default;

    virtual std::int32_t GetVersionExA(OsVersionInfoA& info) = 0;

    virtual std::int32_t RegOpenKeyExA(std::uint32_t root, const char* subKey,
                                       std::uint32_t options, std::uint32_t access,
                                       Handle& key) = 0;
    // length goes in as the buffer size and comes back as the number of data bytes.
    virtual std::int32_t RegQueryValueExA(Handle key, const char* valueName,
                                          std::uint32_t reserved, std::uint32_t& type,
                                          unsigned char* data, std::uint32_t& length) = 0;
    virtual std::int32_t RegCloseKey(Handle key) = 0;

    virtual std::int32_t PwdChangePasswordA(const char* provider, Handle parent,
                                            std::int32_t reserved1, std::int32_t reserved2) = 0;
    virtual std::int32_t VerifyScreenSavePwd(Handle owner) = 0;

    virtual std::int32_t SystemParametersInfoA(std::uint32_t action, std::uint32_t uiParam,
                                               void* pvParam, std::uint32_t fWinIni) = 0;
    virtual std::int32_t SetWindowPos(Handle window, Handle insertAfter, std::int32_t x,
                                      std::int32_t y, std::int32_t cx, std::int32_t cy,
                                      std::uint32_t flags) = 0;
    virtual Handle FindWindowA(const char* className, const char* windowName) = 0;

    virtual Handle GetDC(Handle window) = 0;
    virtual std::int32_t ReleaseDC(Handle window, Handle dc) = 0;
    virtual std::int32_t BitBlt(Handle destination, std::int32_t x, std::int32_t y,
                                std::int32_t cx, std::int32_t cy, Handle source,
                                std::int32_t sourceX, std::int32_t sourceY,
                                std::uint32_t rop) = 0;

    virtual std::uint32_t GetPrivateProfileStringA(const char* section, const char* key,
                                                   const char* defaultText, char* buffer,
                                                   std::uint32_t size, const char* file) = 0;
    virtual std::int32_t WritePrivateProfileStringA(const char* section, const char* key,
                                                    const char* value, const char* file) = 0;

    // The bytes free to this user on the disk that holds the folder (and the disk's size and
    // its free bytes for anyone); 0 when the folder cannot be asked about.
    virtual std::int32_t GetDiskFreeSpaceExA(const char* directory, std::uint64_t* freeBytesAvailableToCaller,
                                             std::uint64_t* totalBytes, std::uint64_t* totalFreeBytes) = 0;

    // The calling thread's last-error code: what the most recent failing call met.
    virtual std::uint32_t GetLastError() = 0;
    virtual void SetLastError(std::uint32_t error) = 0;

    virtual Handle ShellExecuteA(Handle window, const char* verb, const char* file,
                                 const char* parameters, const char* directory,
                                 std::int32_t show) = 0;
};

inline Slot<WindowsApi> Windows{"WindowsApi"};

}  // namespace platform

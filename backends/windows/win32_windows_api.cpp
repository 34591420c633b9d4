// The Windows functions, passed straight through to Windows.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <memory>
#include <string>
#include <shellapi.h>

#include "backends/windows/windows_backends.h"
#include "settings/settings.h"

namespace platform {

namespace {

class Win32WindowsApi : public WindowsApi {
public:
    std::int32_t GetVersionExA(OsVersionInfoA& info) override;
    std::int32_t RegOpenKeyExA(std::uint32_t root, const char* subKey, std::uint32_t options,
                               std::uint32_t access, Handle& key) override;
    std::int32_t RegQueryValueExA(Handle key, const char* valueName, std::uint32_t reserved,
                                  std::uint32_t& type, unsigned char* data,
                                  std::uint32_t& length) override;
    std::int32_t RegCloseKey(Handle key) override;
    std::int32_t PwdChangePasswordA(const char* provider, Handle parent, std::int32_t reserved1,
                                    std::int32_t reserved2) override;
    std::int32_t VerifyScreenSavePwd(Handle owner) override;
    std::int32_t SystemParametersInfoA(std::uint32_t action, std::uint32_t uiParam,
                                       void* pvParam, std::uint32_t fWinIni) override;
    std::int32_t SetWindowPos(Handle window, Handle insertAfter, std::int32_t x, std::int32_t y,
                              std::int32_t cx, std::int32_t cy, std::uint32_t flags) override;
    Handle FindWindowA(const char* className, const char* windowName) override;
    Handle GetDC(Handle window) override;
    std::int32_t ReleaseDC(Handle window, Handle dc) override;
    std::int32_t BitBlt(Handle destination, std::int32_t x, std::int32_t y, std::int32_t cx,
                        std::int32_t cy, Handle source, std::int32_t sourceX,
                        std::int32_t sourceY, std::uint32_t rop) override;
    std::uint32_t GetPrivateProfileStringA(const char* section, const char* key,
                                           const char* defaultText, char* buffer,
                                           std::uint32_t size, const char* file) override;
    std::int32_t WritePrivateProfileStringA(const char* section, const char* key,
                                            const char* value, const char* file) override;
    std::int32_t GetDiskFreeSpaceExA(const char* directory, std::uint64_t* freeBytesAvailableToCaller,
                                     std::uint64_t* totalBytes, std::uint64_t* totalFreeBytes) override;
    std::uint32_t GetLastError() override;
    void SetLastError(std::uint32_t error) override;
    Handle ShellExecuteA(Handle window, const char* verb, const char* file,
                         const char* parameters, const char* directory,
                         std::int32_t show) override;
};


HWND AsWindow(Handle h) { return reinterpret_cast<HWND>(h); }
HDC AsDc(Handle h) { return reinterpret_cast<HDC>(h); }
HKEY AsKey(Handle h) { return reinterpret_cast<HKEY>(h); }

// The predefined keys are sign-extended 32-bit values on 64-bit Windows.
HKEY PredefinedKey(std::uint32_t root) {
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(root)));
}

// Functions of the older family's DLLs, found at run time: on the NT family (and under
// Wine) they are missing, and the callers then get the answer for that case.
template <typename Function>
Function FindOptional(const char* library, const char* name) {
    HMODULE module = LoadLibraryA(library);
    if (!module) return nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

std::int32_t Win32WindowsApi::GetVersionExA(OsVersionInfoA& info) {
    return ::GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info));
}

std::int32_t Win32WindowsApi::RegOpenKeyExA(std::uint32_t root, const char* subKey,
                                            std::uint32_t options, std::uint32_t access,
                                            Handle& key) {
    HKEY opened = nullptr;
    LONG result = ::RegOpenKeyExA(PredefinedKey(root), subKey, options, access, &opened);
    key = reinterpret_cast<Handle>(opened);
    return result;
}

std::int32_t Win32WindowsApi::RegQueryValueExA(Handle key, const char* valueName,
                                               std::uint32_t, std::uint32_t& type,
                                               unsigned char* data, std::uint32_t& length) {
    DWORD valueType = 0;
    DWORD size = length;
    LONG result = ::RegQueryValueExA(AsKey(key), valueName, nullptr, &valueType, data, &size);
    type = valueType;
    length = size;
    return result;
}

std::int32_t Win32WindowsApi::RegCloseKey(Handle key) { return ::RegCloseKey(AsKey(key)); }

std::int32_t Win32WindowsApi::PwdChangePasswordA(const char* provider, Handle parent,
                                                 std::int32_t reserved1,
                                                 std::int32_t reserved2) {
    using Function = DWORD(WINAPI*)(LPCSTR, HWND, DWORD, LPVOID);
    Function change = FindOptional<Function>("mpr.dll", "PwdChangePasswordA");
    if (!change) return 0;
    return change(provider, AsWindow(parent), reserved1,
                  reinterpret_cast<LPVOID>(static_cast<INT_PTR>(reserved2)));
}

std::int32_t Win32WindowsApi::VerifyScreenSavePwd(Handle owner) {
    using Function = BOOL(WINAPI*)(HWND);
    Function verify = FindOptional<Function>("password.cpl", "VerifyScreenSavePwd");
    if (!verify) return 0;
    return verify(AsWindow(owner));
}

std::int32_t Win32WindowsApi::SystemParametersInfoA(std::uint32_t action, std::uint32_t uiParam,
                                                    void* pvParam, std::uint32_t fWinIni) {
    return ::SystemParametersInfoA(action, uiParam, pvParam, fWinIni);
}

std::int32_t Win32WindowsApi::SetWindowPos(Handle window, Handle insertAfter, std::int32_t x,
                                           std::int32_t y, std::int32_t cx, std::int32_t cy,
                                           std::uint32_t flags) {
    return ::SetWindowPos(AsWindow(window), AsWindow(insertAfter), x, y, cx, cy, flags);
}

Handle Win32WindowsApi::FindWindowA(const char* className, const char* windowName) {
    return reinterpret_cast<Handle>(::FindWindowA(className, windowName));
}

Handle Win32WindowsApi::GetDC(Handle window) {
    return reinterpret_cast<Handle>(::GetDC(AsWindow(window)));
}

std::int32_t Win32WindowsApi::ReleaseDC(Handle window, Handle dc) {
    return ::ReleaseDC(AsWindow(window), AsDc(dc));
}

std::int32_t Win32WindowsApi::BitBlt(Handle destination, std::int32_t x, std::int32_t y,
                                     std::int32_t cx, std::int32_t cy, Handle source,
                                     std::int32_t sourceX, std::int32_t sourceY,
                                     std::uint32_t rop) {
    BOOL copied = ::BitBlt(AsDc(destination), x, y, cx, cy, AsDc(source), sourceX, sourceY, rop);
    // Reading a pixel back waits until the copy has reached the screen. Under Wine, drawing
    // into another process's window is queued on an X connection that the end of the
    // process drops unsent, so the preview would otherwise never appear.
    ::GetPixel(AsDc(destination), x, y);
    return copied;
}

namespace {

// Windows reads a profile file whole at every call, taking seconds over megabytes of
// empty lines; a file larger than any real settings file is not handed to it.
ULONGLONG FileSize(const char* file) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!file || !GetFileAttributesExA(file, GetFileExInfoStandard, &data)) return 0;
    return (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

bool TooLargeForSettings(const char* file) { return FileSize(file) > mScreenSaver::MaxIniFileBytes; }

// The file's bytes, when a write of these texts could take it past the limit (a new
// section's brackets and two line breaks at most come with them); nothing otherwise.
std::optional<std::string> BytesNearTheLimit(const char* section, const char* key, const char* value,
                                             const char* file) {
    if (!section || !key || !value) return std::nullopt;
    ULONGLONG most = FileSize(file) + std::strlen(section) + std::strlen(key) + std::strlen(value) + 8;
    if (most <= mScreenSaver::MaxIniFileBytes) return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

std::uint32_t Win32WindowsApi::GetPrivateProfileStringA(const char* section, const char* key,
                                                        const char* defaultText, char* buffer,
                                                        std::uint32_t size, const char* file) {
    // Such a file reads as a missing one: the default, without its trailing blanks.
    if (TooLargeForSettings(file) && buffer && size > 0) {
        std::string fallback = defaultText ? defaultText : "";
        fallback.erase(fallback.find_last_not_of(' ') + 1);
        fallback.resize(std::min<std::size_t>(fallback.size(), size - 1));
        std::memcpy(buffer, fallback.c_str(), fallback.size() + 1);
        return static_cast<std::uint32_t>(fallback.size());
    }
    return ::GetPrivateProfileStringA(section, key, defaultText, buffer, size, file);
}

std::int32_t Win32WindowsApi::WritePrivateProfileStringA(const char* section, const char* key,
                                                         const char* value, const char* file) {
    if (TooLargeForSettings(file)) {
        ::SetLastError(ERROR_FILE_TOO_LARGE);
        return 0;
    }
    // Windows writes one value at a time: a write that takes the file past the limit is
    // undone, so that the file never reads as missing and the values before it stay.
    std::optional<std::string> before = BytesNearTheLimit(section, key, value, file);
    std::int32_t written = ::WritePrivateProfileStringA(section, key, value, file);
    if (!before || !TooLargeForSettings(file)) return written;
    std::ofstream(file, std::ios::binary | std::ios::trunc) << *before;
    ::SetLastError(ERROR_FILE_TOO_LARGE);
    return 0;
}

std::int32_t Win32WindowsApi::GetDiskFreeSpaceExA(const char* directory, std::uint64_t* freeBytesAvailableToCaller,
                                                  std::uint64_t* totalBytes, std::uint64_t* totalFreeBytes) {
    static_assert(sizeof(ULARGE_INTEGER) == sizeof(std::uint64_t));
    return ::GetDiskFreeSpaceExA(directory, reinterpret_cast<PULARGE_INTEGER>(freeBytesAvailableToCaller),
                                 reinterpret_cast<PULARGE_INTEGER>(totalBytes),
                                 reinterpret_cast<PULARGE_INTEGER>(totalFreeBytes));
}

std::uint32_t Win32WindowsApi::GetLastError() { return ::GetLastError(); }

void Win32WindowsApi::SetLastError(std::uint32_t error) { ::SetLastError(error); }

Handle Win32WindowsApi::ShellExecuteA(Handle window, const char* verb, const char* file,
                                      const char* parameters, const char* directory,
                                      std::int32_t show) {
    return reinterpret_cast<Handle>(
        ::ShellExecuteA(AsWindow(window), verb, file, parameters, directory, show));
}

std::unique_ptr<WindowsApi> NewWin32WindowsApi() { return std::make_unique<Win32WindowsApi>(); }

}  // namespace platform

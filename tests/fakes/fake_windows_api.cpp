#include "fakes/fake_windows_api.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "fakes/call_log.h"

namespace fakes {

namespace {
constexpr std::int32_t ErrorFileNotFound = 2;
constexpr std::int32_t ErrorMoreData = 234;
constexpr platform::Handle OpenedKey = 0x4B45;

std::string Text(const char* s) { return s ? std::string("\"") + s + "\"" : "null"; }

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}
}  // namespace

std::string FakeWindowsApi::ProfileKey(const std::string& file, const std::string& section,
                                       const std::string& key) {
    return Lower(file + "|" + section + "|" + key);
}

std::int32_t FakeWindowsApi::GetVersionExA(platform::OsVersionInfoA& info) {
    Log().Add(Call("GetVersionExA", info.dwOSVersionInfoSize));
    if (versionQueryFails) return 0;
    info.dwPlatformId = platformId;
    return 1;
}

std::int32_t FakeWindowsApi::RegOpenKeyExA(std::uint32_t root, const char* subKey,
                                           std::uint32_t options, std::uint32_t access,
                                           platform::Handle& key) {
    Log().Add(Call("RegOpenKeyExA", Hex(root), Text(subKey), options));
    (void)access;
    if (registryKeyMissing) return ErrorFileNotFound;
    openedSubKey_ = subKey;
    key = OpenedKey;
    return 0;
}

std::int32_t FakeWindowsApi::RegQueryValueExA(platform::Handle key, const char* valueName,
                                              std::uint32_t reserved, std::uint32_t& type,
                                              unsigned char* data, std::uint32_t& length) {
    Log().Add(Call("RegQueryValueExA", key, Text(valueName), reserved, length));
    auto found = registry.find(openedSubKey_ + "\\" + valueName);
    if (key != OpenedKey || found == registry.end()) return ErrorFileNotFound;
    const RegistryValue& value = found->second;
    type = value.type;
    if (value.data.size() > length) {
        length = static_cast<std::uint32_t>(value.data.size());
        return ErrorMoreData;
    }
    std::copy(value.data.begin(), value.data.end(), data);
    length = static_cast<std::uint32_t>(value.data.size());
    return 0;
}

std::int32_t FakeWindowsApi::RegCloseKey(platform::Handle key) {
    Log().Add(Call("RegCloseKey", key));
    return 0;
}

std::int32_t FakeWindowsApi::PwdChangePasswordA(const char* provider, platform::Handle parent,
                                                std::int32_t reserved1, std::int32_t reserved2) {
    Log().Add(Call("PwdChangePasswordA", Text(provider), parent, reserved1, reserved2));
    return 0;
}

std::int32_t FakeWindowsApi::VerifyScreenSavePwd(platform::Handle owner) {
    Log().Add(Call("VerifyScreenSavePwd", owner));
    return passwordAnswer;
}

std::int32_t FakeWindowsApi::SystemParametersInfoA(std::uint32_t action, std::uint32_t uiParam,
                                                   void* pvParam, std::uint32_t fWinIni) {
    Log().Add(Call("SystemParametersInfoA", action, uiParam, pvParam ? "ptr" : "null", fWinIni));
    return 1;
}

std::int32_t FakeWindowsApi::SetWindowPos(platform::Handle window, platform::Handle insertAfter,
                                          std::int32_t x, std::int32_t y, std::int32_t cx,
                                          std::int32_t cy, std::uint32_t flags) {
    Log().Add(Call("SetWindowPos", window, insertAfter, x, y, cx, cy, Hex(flags)));
    return 1;
}

platform::Handle FakeWindowsApi::FindWindowA(const char* className, const char* windowName) {
    Log().Add(Call("FindWindowA", Text(className), Text(windowName)));
    return taskbar;
}

platform::Handle FakeWindowsApi::GetDC(platform::Handle window) {
    Log().Add(Call("GetDC", window));
    return window == 0 ? 0xD0 : window + 0xDC;
}

std::int32_t FakeWindowsApi::ReleaseDC(platform::Handle window, platform::Handle dc) {
    Log().Add(Call("ReleaseDC", window, dc));
    return 1;
}

std::int32_t FakeWindowsApi::BitBlt(platform::Handle destination, std::int32_t x, std::int32_t y,
                                    std::int32_t cx, std::int32_t cy, platform::Handle source,
                                    std::int32_t sourceX, std::int32_t sourceY,
                                    std::uint32_t rop) {
    Log().Add(Call("BitBlt", destination, x, y, cx, cy, source, sourceX, sourceY, Hex(rop)));
    return 1;
}

std::uint32_t FakeWindowsApi::GetPrivateProfileStringA(const char* section, const char* key,
                                                       const char* defaultText, char* buffer,
                                                       std::uint32_t size, const char* file) {
    Log().Add(Call("GetPrivateProfileStringA", Text(section), Text(key), Text(defaultText), size,
                   Text(file)));
    auto found = profile.find(ProfileKey(file, section, key));
    std::string value = found == profile.end() ? defaultText : found->second;
    std::size_t n = std::min<std::size_t>(value.size(), size - 1);
    std::memcpy(buffer, value.data(), n);
    buffer[n] = '\0';
    return static_cast<std::uint32_t>(n);
}

std::int32_t FakeWindowsApi::WritePrivateProfileStringA(const char* section, const char* key,
                                                        const char* value, const char* file) {
    Log().Add(Call("WritePrivateProfileStringA", Text(section), Text(key), Text(value),
                   Text(file)));
    // The call with no section, key and value only lets the file go from memory.
    if (!section || !key || !value) return 0;
    if (profileWritesFail && profileWritesLanding > 0) {
        --profileWritesLanding;
        profile[ProfileKey(file, section, key)] = value;
        return 1;
    }
    if (profileWritesFail || profileWritesLost) lastError = profileWriteError;
    if (profileWritesFail) return 0;
    if (!profileWritesLost) profile[ProfileKey(file, section, key)] = value;
    return 1;
}

std::int32_t FakeWindowsApi::GetDiskFreeSpaceExA(const char* directory, std::uint64_t* freeBytesAvailableToCaller,
                                                 std::uint64_t* totalBytes, std::uint64_t* totalFreeBytes) {
    Log().Add(Call("GetDiskFreeSpaceExA", Text(directory)));
    if (freeBytesAvailableToCaller) *freeBytesAvailableToCaller = freeDiskBytes;
    if (totalBytes) *totalBytes = freeDiskBytes + (1u << 20);
    if (totalFreeBytes) *totalFreeBytes = freeDiskBytes;
    return 1;
}

std::uint32_t FakeWindowsApi::GetLastError() {
    Log().Add(Call("GetLastError"));
    return lastError;
}

void FakeWindowsApi::SetLastError(std::uint32_t error) {
    Log().Add(Call("SetLastError", error));
    lastError = error;
}

platform::Handle FakeWindowsApi::ShellExecuteA(platform::Handle window, const char* verb,
                                               const char* file, const char* parameters,
                                               const char* directory, std::int32_t show) {
    Log().Add(Call("ShellExecuteA", window, Text(verb), Text(file), Text(parameters),
                   Text(directory), show));
    return 42;
}

FakeWindowsApi& InstallFakeWindowsApi() {
    static FakeWindowsApi windows;
    windows = FakeWindowsApi();
    platform::Windows.Install(windows);
    Log().Clear();
    return windows;
}

}  // namespace fakes

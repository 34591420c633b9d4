// A recording Windows: every call goes to the journal; a test sets the registry, the
// profile files, the version and the answers of the password prompt and window lookup.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "seams/windows_api.h"

namespace fakes {

struct RegistryValue {
    std::uint32_t type = platform::RegSz;
    std::vector<unsigned char> data;
};

class FakeWindowsApi : public platform::WindowsApi {
public:
    std::uint32_t platformId = platform::VerPlatformWin32Nt;
    bool versionQueryFails = false;
    // "subKey\\valueName" under HKEY_CURRENT_USER; a missing entry is a missing value.
    std::map<std::string, RegistryValue> registry;
    bool registryKeyMissing = false;
    // Key: file, section and key joined by '|' and lower-cased; value: the stored text.
    std::map<std::string, std::string> profile;
    // A failing write reports failure; a lost one reports success and stores nothing. Both
    // leave this last error.
    bool profileWritesFail = false;
    std::uint32_t profileWriteError = 5;
    bool profileWritesLost = false;
    // How many value writes land before the others fail as profileWritesFail makes them;
    // all of them fail when negative.
    int profileWritesLanding = -1;
    std::uint32_t lastError = 0;
    std::uint64_t freeDiskBytes = 1u << 30;
    std::int32_t passwordAnswer = 1;
    platform::Handle taskbar = 0x7A5C;

    static std::string ProfileKey(const std::string& file, const std::string& section,
                                  const std::string& key);

    std::int32_t GetVersionExA(platform::OsVersionInfoA& info) override;
    std::int32_t RegOpenKeyExA(std::uint32_t root, const char* subKey, std::uint32_t options,
                               std::uint32_t access, platform::Handle& key) override;
    std::int32_t RegQueryValueExA(platform::Handle key, const char* valueName,
                                  std::uint32_t reserved, std::uint32_t& type,
                                  unsigned char* data, std::uint32_t& length) override;
    std::int32_t RegCloseKey(platform::Handle key) override;
    std::int32_t PwdChangePasswordA(const char* provider, platform::Handle parent,
                                    std::int32_t reserved1, std::int32_t reserved2) override;
    std::int32_t VerifyScreenSavePwd(platform::Handle owner) override;
    std::int32_t SystemParametersInfoA(std::uint32_t action, std::uint32_t uiParam,
                                       void* pvParam, std::uint32_t fWinIni) override;
    std::int32_t SetWindowPos(platform::Handle window, platform::Handle insertAfter,
                              std::int32_t x, std::int32_t y, std::int32_t cx, std::int32_t cy,
                              std::uint32_t flags) override;
    platform::Handle FindWindowA(const char* className, const char* windowName) override;
    platform::Handle GetDC(platform::Handle window) override;
    std::int32_t ReleaseDC(platform::Handle window, platform::Handle dc) override;
    std::int32_t BitBlt(platform::Handle destination, std::int32_t x, std::int32_t y,
                        std::int32_t cx, std::int32_t cy, platform::Handle source,
                        std::int32_t sourceX, std::int32_t sourceY, std::uint32_t rop) override;
    std::uint32_t GetPrivateProfileStringA(const char* section, const char* key,
                                           const char* defaultText, char* buffer,
                                           std::uint32_t size, const char* file) override;
    std::int32_t WritePrivateProfileStringA(const char* section, const char* key,
                                            const char* value, const char* file) override;
    std::int32_t GetDiskFreeSpaceExA(const char* directory, std::uint64_t* freeBytesAvailableToCaller,
                                     std::uint64_t* totalBytes, std::uint64_t* totalFreeBytes) override;
    std::uint32_t GetLastError() override;
    void SetLastError(std::uint32_t error) override;
    platform::Handle ShellExecuteA(platform::Handle window, const char* verb, const char* file,
                                   const char* parameters, const char* directory,
                                   std::int32_t show) override;

private:
    std::string openedSubKey_;
};

FakeWindowsApi& InstallFakeWindowsApi();

}  // namespace fakes

// The Windows functions as a Linux desktop can honestly answer them. The methods are
// defined by topic in the windows_api_*.cpp files beside this one.
#pragma once
#include <memory>

#include "backends/linux/ini_parsed_file.h"
#include "backends/linux/ini_profile.h"
#include "backends/linux/x_connection.h"
#include "seams/windows_api.h"

namespace platform {

class LinuxWindowsApi : public WindowsApi {
public:
    // x: the connection the device contexts draw through.
    explicit LinuxWindowsApi(std::shared_ptr<XConnection> x) : x_(std::move(x)) {}

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

private:
    // Set by the calls that fail, as Windows does; only the profile writes fail with a
    // reason worth telling.
    std::uint32_t lastError_ = 0;
    ini::ParsedFile parsedSettings_;
    std::shared_ptr<XConnection> x_;
    // The profile writes wait here until a write with only the file named (or a read of
    // that file) saves them as one.
    ini::ProfileWrites profileWrites_;
};

}  // namespace platform

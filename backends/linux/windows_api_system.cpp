// The system side of the Windows functions on Linux: an NT-family answer, no registry,
// no password service, no taskbar, and xdg-open for the shell.
#include <spawn.h>
#include <sys/wait.h>

#include <cstring>
#include <memory>

#include "backends/linux/linux_backends.h"
#include "backends/linux/linux_windows_api.h"

extern char** environ;

namespace platform {

namespace {
constexpr std::int32_t ErrorFileNotFound = 2;
}

std::int32_t LinuxWindowsApi::GetVersionExA(OsVersionInfoA& info) {
    // Linux has the NT family's traits that matter here: no password hand-off.
    info.dwMajorVersion = 10;
    info.dwMinorVersion = 0;
    info.dwBuildNumber = 0;
    info.dwPlatformId = VerPlatformWin32Nt;
    std::memset(info.szCSDVersion, 0, sizeof info.szCSDVersion);
    return 1;
}

std::int32_t LinuxWindowsApi::RegOpenKeyExA(std::uint32_t, const char*, std::uint32_t,
                                            std::uint32_t, Handle& key) {
    key = 0;
    return ErrorFileNotFound;
}

std::int32_t LinuxWindowsApi::RegQueryValueExA(Handle, const char*, std::uint32_t,
                                               std::uint32_t&, unsigned char*, std::uint32_t&) {
    return ErrorFileNotFound;
}

std::int32_t LinuxWindowsApi::RegCloseKey(Handle) { return 0; }

std::int32_t LinuxWindowsApi::PwdChangePasswordA(const char*, Handle, std::int32_t,
                                                 std::int32_t) {
    return 0;
}

std::int32_t LinuxWindowsApi::VerifyScreenSavePwd(Handle) { return 0; }

std::int32_t LinuxWindowsApi::SystemParametersInfoA(std::uint32_t, std::uint32_t, void*,
                                                    std::uint32_t) {
    return 0;
}

std::int32_t LinuxWindowsApi::SetWindowPos(Handle, Handle, std::int32_t, std::int32_t,
                                           std::int32_t, std::int32_t, std::uint32_t) {
    return 0;
}

Handle LinuxWindowsApi::FindWindowA(const char*, const char*) { return 0; }

// Opens the file or address with the desktop's default application. xdg-open runs
// without a shell, so nothing in the address is ever interpreted as a command. The
// result follows ShellExecuteA: above 32 on success.
Handle LinuxWindowsApi::ShellExecuteA(Handle, const char*, const char* file, const char*,
                                      const char*, std::int32_t) {
    if (!file || !*file) return ErrorFileNotFound;
    char program[] = "xdg-open";
    char* argv[] = {program, const_cast<char*>(file), nullptr};
    pid_t child = 0;
    if (posix_spawnp(&child, program, nullptr, nullptr, argv, environ) != 0) {
        return ErrorFileNotFound;
    }
    // xdg-open hands the address to the browser and returns; reap it so that no zombie
    // stays behind, without waiting for it.
    waitpid(child, nullptr, WNOHANG);
    return 42;
}

std::unique_ptr<WindowsApi> NewLinuxWindowsApi(std::shared_ptr<XConnection> x) {
    return std::make_unique<LinuxWindowsApi>(std::move(x));
}

}  // namespace platform

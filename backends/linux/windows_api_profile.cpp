// The profile functions on Linux: our own INI code with the Windows semantics; and what a
// failed write met.
#include <sys/statvfs.h>

#include <cerrno>

#include "backends/linux/ini_profile.h"
#include "backends/linux/linux_windows_api.h"

namespace platform {

namespace {

constexpr std::uint32_t ErrorAccessDenied = 5;
constexpr std::uint32_t ErrorWriteFault = 29;
constexpr std::uint32_t ErrorInvalidParameter = 87;

// The Windows code of what stopped a write.
std::uint32_t WindowsErrorOf(int error) {
    switch (error) {
    case ENOSPC:
    case EDQUOT: return ErrorDiskFull;
    case EACCES:
    case EPERM:
    case EROFS: return ErrorAccessDenied;
    case EINVAL: return ErrorInvalidParameter;
    case EFBIG: return ErrorFileTooLarge;
    default: return ErrorWriteFault;
    }
}

}  // namespace

std::uint32_t LinuxWindowsApi::GetPrivateProfileStringA(const char* section, const char* key,
                                                        const char* defaultText, char* buffer,
                                                        std::uint32_t size, const char* file) {
    if (profileWrites_.Waiting(file) && !profileWrites_.Save()) lastError_ = WindowsErrorOf(errno);
    return ini::GetProfileString(section, key, defaultText, buffer, size, file, parsedSettings_);
}

// A write with only the file named is the flush that saves the waiting writes.
std::int32_t LinuxWindowsApi::WritePrivateProfileStringA(const char* section, const char* key,
                                                         const char* value, const char* file) {
    bool flush = !section && !key && !value && file;
    std::int32_t written = flush ? profileWrites_.Save() : profileWrites_.Write(section, key, value, file);
    if (!written) lastError_ = WindowsErrorOf(errno);
    return written;
}

std::int32_t LinuxWindowsApi::GetDiskFreeSpaceExA(const char* directory, std::uint64_t* freeBytesAvailableToCaller,
                                                  std::uint64_t* totalBytes, std::uint64_t* totalFreeBytes) {
    struct statvfs disk;
    if (!directory || statvfs(directory, &disk) != 0) return 0;
    if (freeBytesAvailableToCaller) *freeBytesAvailableToCaller = std::uint64_t{disk.f_bavail} * disk.f_frsize;
    if (totalBytes) *totalBytes = std::uint64_t{disk.f_blocks} * disk.f_frsize;
    if (totalFreeBytes) *totalFreeBytes = std::uint64_t{disk.f_bfree} * disk.f_frsize;
    return 1;
}

std::uint32_t LinuxWindowsApi::GetLastError() { return lastError_; }

void LinuxWindowsApi::SetLastError(std::uint32_t error) { lastError_ = error; }

}  // namespace platform

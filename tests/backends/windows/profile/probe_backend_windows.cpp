// The probe's Windows side: the real kernel32 profile functions.
#include <windows.h>

#include "probe_backend.h"

std::uint32_t ProbeGetProfileString(const char* section, const char* key, const char* defaultText,
                                    char* buffer, std::uint32_t size, const char* file) {
    return GetPrivateProfileStringA(section, key, defaultText, buffer, size, file);
}

bool ProbeWriteProfileString(const char* section, const char* key, const char* value,
                             const char* file) {
    return WritePrivateProfileStringA(section, key, value, file) != 0;
}

void ProbeMakeReadOnly(const char* file) { SetFileAttributesA(file, FILE_ATTRIBUTE_READONLY); }

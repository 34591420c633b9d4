// The probe's Linux side: our INI code, as the Linux backend of the Windows functions
// calls it.
#include <sys/stat.h>

#include "backends/linux/ini_profile.h"
#include "probe_backend.h"

namespace {
// As the backend keeps it: one for the whole run.
platform::ini::ParsedFile parsed;
}  // namespace

std::uint32_t ProbeGetProfileString(const char* section, const char* key, const char* defaultText,
                                    char* buffer, std::uint32_t size, const char* file) {
    return platform::ini::GetProfileString(section, key, defaultText, buffer, size, file, parsed);
}

bool ProbeWriteProfileString(const char* section, const char* key, const char* value,
                             const char* file) {
    return platform::ini::WriteProfileString(section, key, value, file) != 0;
}

void ProbeMakeReadOnly(const char* file) { chmod(file, 0444); }

// The host's platform family and password setting: read once by the start, before the
// command line is dispatched, and combined by the saver's ending into the password
// condition.
#pragma once
#include <cstdint>

#include "common/flags.h"
#include "seams/windows_api.h"

namespace mScreenSaver {

struct HostValues {
    std::int32_t PlatformId = 0;
    Flag UsePassword = 0;

    // Older family with the password setting on, as the 16-bit and of the two.
    bool PasswordCondition() const {
        Flag olderFamily =
            ToFlag(PlatformId != static_cast<std::int32_t>(platform::VerPlatformWin32Nt));
        return (olderFamily & UsePassword) != 0;
    }
};

}  // namespace mScreenSaver

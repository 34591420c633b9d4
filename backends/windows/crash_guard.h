// The last line of defence for the taskbar: a crash or a terminate that no handler of
// ours sees still runs the given repair before the process goes.
#pragma once

namespace platform {

// The repair must never fail itself.
void InstallCrashGuard(void (*repairBeforeExit)() noexcept);

}  // namespace platform

// The last line of defence for the taskbar: a crash or a terminate that no handler of
// ours sees still shows the taskbar again before the process goes.
#pragma once

namespace platform {

void InstallCrashGuard();

}  // namespace platform

// The Windows program's composition root: installs every backend and the crash guard,
// and runs the start procedure.
#include <windows.h>

#include "backends/backends.h"
#include "backends/windows/crash_guard.h"
#include "host/startup.h"
#include "saver/taskbar.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // The Windows toolkit reads its command line from the system, not from argv.
    auto backends = platform::InstallPlatformBackends(0, nullptr);
    platform::InstallCrashGuard(mScreenSaver::RestoreTaskbarIfHidden);
    return mMain::RunProcess(backends->Host());
}

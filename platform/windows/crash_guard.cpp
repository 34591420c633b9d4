#include "platform/windows/crash_guard.h"

#include <windows.h>

#include <cstdlib>
#include <exception>

#include "host/taskbar.h"

namespace platform {

namespace {

LONG WINAPI RestoreTaskbarOnCrash(EXCEPTION_POINTERS*) {
    mScreenSaver::RestoreTaskbarIfHidden();
    // End quietly, with the exception code as exit code: a crash report or debugger
    // window over the user's desktop would tell them nothing they can act on.
    return EXCEPTION_EXECUTE_HANDLER;
}

[[noreturn]] void RestoreTaskbarOnTerminate() {
    mScreenSaver::RestoreTaskbarIfHidden();
    std::abort();
}

}  // namespace

void InstallCrashGuard() {
    SetUnhandledExceptionFilter(RestoreTaskbarOnCrash);
    // std::terminate ends the process without passing the filter above.
    std::set_terminate(RestoreTaskbarOnTerminate);
}

}  // namespace platform

#include "platform/windows/crash_guard.h"

#include <windows.h>

#include <cstdlib>
#include <exception>

#include "host/taskbar.h"

namespace platform {

namespace {

LONG WINAPI RestoreTaskbarOnCrash(EXCEPTION_POINTERS*) {
    mScreenSaver::RestoreTaskbarIfHidden();
    // Let Windows go on with its own crash handling.
    return EXCEPTION_CONTINUE_SEARCH;
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

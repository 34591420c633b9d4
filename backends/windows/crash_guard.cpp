#include "backends/windows/crash_guard.h"

#include <windows.h>

#include <cstdlib>
#include <exception>

namespace platform {

namespace {

// The crash filter and the terminate handler are called with no object to hand them.
void (*repair)() noexcept = nullptr;

LONG WINAPI RepairOnCrash(EXCEPTION_POINTERS*) {
    repair();
    // End quietly, with the exception code as exit code: a crash report or debugger
    // window over the user's desktop would tell them nothing they can act on.
    return EXCEPTION_EXECUTE_HANDLER;
}

[[noreturn]] void RepairOnTerminate() {
    repair();
    std::abort();
}

}  // namespace

void InstallCrashGuard(void (*repairBeforeExit)() noexcept) {
    repair = repairBeforeExit;
    SetUnhandledExceptionFilter(RepairOnCrash);
    // std::terminate ends the process without passing the filter above.
    std::set_terminate(RepairOnTerminate);
}

}  // namespace platform

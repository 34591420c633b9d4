#include "backends/windows/window_failure.h"

namespace platform {

namespace {
// Any window procedure of the process may keep a failure, and whichever message loop
// dispatched the message raises it: one place per process, as the message queue is.
std::exception_ptr keptFailure;
}

void KeepWindowFailure(std::exception_ptr failure) {
    // The first failure is the cause; later ones follow from it.
    if (!keptFailure) keptFailure = failure;
}

void RethrowWindowFailure() {
    if (!keptFailure) return;
    std::exception_ptr failure = keptFailure;
    keptFailure = nullptr;
    std::rethrow_exception(failure);
}

}  // namespace platform

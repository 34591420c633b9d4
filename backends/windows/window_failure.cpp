#include "backends/windows/window_failure.h"

namespace platform {

namespace {
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

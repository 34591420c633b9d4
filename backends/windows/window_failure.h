// A failure cannot unwind through Windows' window procedures: a procedure keeps it here,
// and the message loop that dispatched the message raises it again on our side.
#pragma once
#include <exception>

namespace platform {

void KeepWindowFailure(std::exception_ptr failure);
// Raises the kept failure, if any, once.
void RethrowWindowFailure();

}  // namespace platform

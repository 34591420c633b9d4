// The dialog's way with failures in its load, unload and colour steps: a step that fails
// with a runtime error is abandoned and the next one runs. Any other failure is a fault
// and goes on up.
#pragma once
#include "common/runtime_error.h"

namespace dialog {

template <typename Step>
void RunTolerantStep(Step&& step) {
    try {
        step();
    } catch (const RuntimeError&) {
        // Skipped on purpose: the control keeps the value it had.
    }
}

}  // namespace dialog

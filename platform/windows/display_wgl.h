// What the Win32 toolkit's event pump needs of the WGL display backend.
#pragma once

namespace platform {

// A C++ failure must not cross DispatchMessage; the saver window's procedure keeps the
// first one it catches, and the pump throws it again here, after dispatching.
void RethrowWindowProcedureFailure();

}  // namespace platform

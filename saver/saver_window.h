// The native half of the full-screen saver window, as frmSaver opens, shows and closes
// it: each backend's own windows, or a test's fake.
//
// The saver window is one borderless window per monitor behind one handle: the handle is
// the primary monitor's window, and the others follow it. They are created, shown and
// destroyed with it; on Windows they take the primary's place in the z-order whenever it
// moves there (SetWindowPos topmost or not), a close asked of any of them closes the
// saver window, and input in any of them counts as input to the saver. The display seam
// (MonitorWindows) names them all, so that the engine shows its picture in each.
#pragma once
#include <functional>

#include "seams/display.h"
#include "seams/slot.h"

namespace saver {

class SaverWindowSystem {
public:
    virtual ~SaverWindowSystem() = default;
    // The saver window, created hidden, each of its windows covering its monitor and able
    // to carry the one OpenGL context. onClose runs (from inside the event pump) when the
    // window system asks any of its windows to close. The windows show themselves at the
    // first picture presented in them (see the display seam's SwapBuffers).
    virtual platform::WindowHandle Create(std::function<void()> onClose) = 0;
    // Shows every window of the saver window and brings the primary's to the front with
    // the keyboard.
    virtual void Show(platform::WindowHandle window) = 0;
    virtual void Destroy(platform::WindowHandle window) = 0;
};

inline platform::Slot<SaverWindowSystem> SaverWindows{"SaverWindowSystem"};

}  // namespace saver

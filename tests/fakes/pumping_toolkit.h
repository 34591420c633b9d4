// The fake toolkit with a hook in its event pump, so that a test can let the window
// system act (close the window, move the mouse) while the saver pumps events.
#pragma once
#include <functional>

#include "fakes/fake_toolkit.h"

namespace fakes {

class PumpingToolkit : public FakeToolkit {
public:
    // Called after each pump is logged, with the number of pumps so far.
    std::function<void(int)> onDoEvents;
    // Called when a message box is shown, after it is logged.
    std::function<void()> onMessageBox;
    int pumps = 0;

    void DoEvents() override;
    void ShowMessageBox(const std::string& text, int style, const std::string& caption) override;
};

// Installs a fresh pumping toolkit.
PumpingToolkit& InstallPumpingToolkit();

}  // namespace fakes

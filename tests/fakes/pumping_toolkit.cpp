#include "fakes/pumping_toolkit.h"

namespace fakes {

void PumpingToolkit::DoEvents() {
    FakeToolkit::DoEvents();
    ++pumps;
    if (onDoEvents) onDoEvents(pumps);
}

void PumpingToolkit::ShowMessageBox(const std::string& text, int style,
                                    const std::string& caption) {
    FakeToolkit::ShowMessageBox(text, style, caption);
    if (onMessageBox) onMessageBox();
}

PumpingToolkit& InstallPumpingToolkit() {
    static PumpingToolkit toolkit;
    toolkit = PumpingToolkit();
    platform::App.Install(toolkit);
    return toolkit;
}

}  // namespace fakes

#include "fakes/fake_toolkit.h"

#include "fakes/call_log.h"

namespace fakes {

float FakeToolkit::Random() {
    if (randomNumbers.empty()) return 0.25f;
    float r = randomNumbers.front();
    randomNumbers.pop_front();
    return r;
}

platform::SeedOutcome FakeToolkit::SeedFileFrom(const std::string& to, const std::string& from) {
    Log().Add(Call("SeedFileFrom", to, from));
    return seedOutcome;
}

void FakeToolkit::DoEvents() { Log().Add("DoEvents()"); }

void FakeToolkit::RunWhileWindowsOpen() { Log().Add("RunWhileWindowsOpen()"); }

void FakeToolkit::ShowMessageBox(const std::string& text, int style, const std::string& caption) {
    Log().Add(Call("MessageBox", text, style, caption));
}

void FakeToolkit::EndProcess(int exitCode) {
    Log().Add(Call("EndProcess", exitCode));
    throw ProcessEnded{exitCode};
}

FakeToolkit& InstallFakeToolkit() {
    static FakeToolkit toolkit;
    toolkit = FakeToolkit();
    platform::App.Install(toolkit);
    return toolkit;
}

}  // namespace fakes

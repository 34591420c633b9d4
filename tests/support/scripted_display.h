// A display with no window system behind it, for the engine's parts that need only a
// clock, the monitors' power and the input record: its clock moves only when the engine
// sleeps or waits, and every wait is recorded.
#pragma once
#include <vector>

#include "seams/display.h"

namespace enginetest {

class ScriptedDisplay : public platform::DisplaySystem {
public:
    double now = 100.0;
    bool monitorsOn = true;
    int powerQuestions = 0;
    std::vector<double> sleeps, eventWaits;
    InputRecord record;

    void CoverMonitor(platform::WindowHandle) override {}
    std::vector<platform::WindowHandle> MonitorWindows(platform::WindowHandle window) override { return {window}; }
    double RefreshRate(platform::WindowHandle) override { return 0; }
    void StartGl(platform::WindowHandle) override {}
    void MakeCurrent(platform::WindowHandle) override {}
    void* GlFunction(const char*) override { return nullptr; }
    void StopGl(platform::WindowHandle) override {}
    platform::PixelSize DrawableSize(platform::WindowHandle) override { return {}; }
    void SwapBuffers(platform::WindowHandle) override {}
    bool PresentPart(platform::WindowHandle, const platform::PixelArea&) override { return false; }
    bool SetSwapInterval(int) override { return false; }
    void ShowCursor(bool) override {}
    InputRecord& Input() override { return record; }
    bool MonitorsOn() override {
        ++powerQuestions;
        return monitorsOn;
    }
    double Seconds() override { return now; }
    void Sleep(double seconds) override {
        sleeps.push_back(seconds);
        now += seconds;
    }
    void WaitForEvents(double seconds) override {
        eventWaits.push_back(seconds);
        now += seconds;
    }
};

}  // namespace enginetest

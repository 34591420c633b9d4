// The toolkit's process services on Windows.
#pragma once
#include <random>
#include <string>

#include "platform/toolkit.h"

namespace platform {

class Win32Toolkit : public Toolkit {
public:
    Win32Toolkit();

    std::string CommandLineArguments() override;
    std::string ApplicationFolder() override;
    char PathSeparator() override;
    bool PreviousInstanceRunning() override;
    double TimeOfDay() override;
    float Random() override;
    void DoEvents() override;
    void RunWhileWindowsOpen() override;
    void ShowMessageBox(const std::string& text, int style, const std::string& caption) override;
    [[noreturn]] void EndProcess(int exitCode) override;

private:
    bool previousInstance_ = false;
    std::mt19937 random_;
};

}  // namespace platform

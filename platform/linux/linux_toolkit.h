// The toolkit's process services on Linux.
#pragma once
#include <random>
#include <string>

#include "platform/toolkit.h"

namespace platform {

class LinuxToolkit : public Toolkit {
public:
    LinuxToolkit(int argc, char** argv);

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
    std::string arguments_;
    bool previousInstance_ = false;
    std::mt19937 random_;
};

}  // namespace platform

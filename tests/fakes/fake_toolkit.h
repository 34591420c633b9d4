// A toolkit whose command line, folders, writable files, clock and random numbers a test
// sets, and whose message boxes, file seeding and end of process are recorded.
#pragma once
#include <deque>
#include <set>
#include <string>

#include "seams/toolkit.h"

namespace fakes {

// Thrown by EndProcess so that a test can see where the process would have ended.
struct ProcessEnded {
    int exitCode;
};

class FakeToolkit : public platform::Toolkit {
public:
    std::string arguments;
    std::string folder = "C:\\Program Files\\Kelvora";
    char separator = '\\';
    std::string userFolder = "C:\\Users\\Ann\\AppData\\Roaming\\Kelvora";
    // Every other file counts as writable.
    std::set<std::string> readOnlyFiles;
    platform::SeedOutcome seedOutcome = platform::SeedOutcome::Ready;
    bool previousInstance = false;
    double timeOfDay = 0.0;
    // Consumed front first; 0.25 once they run out.
    std::deque<float> randomNumbers;

    std::string CommandLineArguments() override { return arguments; }
    std::string ApplicationFolder() override { return folder; }
    char PathSeparator() override { return separator; }
    std::string UserSettingsFolder() override { return userFolder; }
    bool FileWritable(const std::string& path) override { return !readOnlyFiles.count(path); }
    platform::SeedOutcome SeedFileFrom(const std::string& to, const std::string& from) override;
    bool PreviousInstanceRunning() override { return previousInstance; }
    double TimeOfDay() override { return timeOfDay; }
    float Random() override;
    void DoEvents() override;
    void RunWhileWindowsOpen() override;
    void ShowMessageBox(const std::string& text, int style, const std::string& caption) override;
    [[noreturn]] void EndProcess(int exitCode) override;
};

// Installs a fresh fake toolkit.
FakeToolkit& InstallFakeToolkit();

}  // namespace fakes

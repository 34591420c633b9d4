// The toolkit's process services on Linux.
#include <FL/Fl.H>
#include <FL/Fl_Window.H>
#include <FL/fl_ask.H>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <sys/time.h>

#include "backends/linux/event_pump.h"
#include "backends/linux/instance_lock.h"
#include "backends/linux/ini_file.h"
#include "backends/linux/linux_backends.h"
#include "common/event_note.h"

namespace platform {

namespace {

// How often a message box waiting for its button looks whether the program was asked to
// quit.
constexpr double kQuitLookSeconds = 0.1;

// A box's own loop never runs the pump that reads the quit: so that SIGTERM ends the
// program even while a box waits, the box closes, as if answered, and the queued quit
// ends the program once the pump runs again.
void CloseBoxesOnQuit(void*) {
    if (!QuitAsked()) {
        Fl::repeat_timeout(kQuitLookSeconds, CloseBoxesOnQuit);
        return;
    }
    while (Fl_Window* window = Fl::first_window()) window->hide();
}

class LinuxToolkit : public Toolkit {
public:
    LinuxToolkit(int argc, char** argv, std::shared_ptr<XConnection> x, std::shared_ptr<EventPump> pump);

    std::string CommandLineArguments() override;
    std::string ApplicationFolder() override;
    char PathSeparator() override;
    std::string UserSettingsFolder() override;
    bool FileWritable(const std::string& path) override;
    SeedOutcome SeedFileFrom(const std::string& to, const std::string& from) override;
    bool PreviousInstanceRunning() override;
    double TimeOfDay() override;
    float Random() override;
    void DoEvents() override;
    void RunWhileWindowsOpen() override;
    void ShowMessageBox(const std::string& text, int style, const std::string& caption) override;
    [[noreturn]] void EndProcess(int exitCode) override;

private:
    std::string arguments_;
    InstanceLock instanceLock_;
    std::mt19937 random_;
    std::shared_ptr<XConnection> x_;
    std::shared_ptr<EventPump> pump_;
};

std::string JoinArguments(int argc, char** argv) {
    std::string joined;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) joined += ' ';
        joined += argv[i];
    }
    return joined;
}

// A path the base directory rules accept: absolute; relative ones are to be ignored.
bool Absolute(const char* path) { return path && path[0] == '/'; }

}  // namespace

LinuxToolkit::LinuxToolkit(int argc, char** argv, std::shared_ptr<XConnection> x, std::shared_ptr<EventPump> pump)
    : arguments_(JoinArguments(argc, argv)), x_(std::move(x)), pump_(std::move(pump)) {}

std::string LinuxToolkit::CommandLineArguments() { return arguments_; }

std::string LinuxToolkit::ApplicationFolder() {
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe");
    std::string folder = exe.parent_path().string();
    return folder.empty() ? "/" : folder;
}

char LinuxToolkit::PathSeparator() { return '/'; }

std::string LinuxToolkit::UserSettingsFolder() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (Absolute(config)) return std::string(config) + "/kelvora";
    const char* home = std::getenv("HOME");
    if (Absolute(home)) return std::string(home) + "/.config/kelvora";
    return "";
}

bool LinuxToolkit::FileWritable(const std::string& path) { return ini::CanSave(path); }

SeedOutcome LinuxToolkit::SeedFileFrom(const std::string& to, const std::string& from) {
    return ini::SeedFile(to, from);
}

bool LinuxToolkit::PreviousInstanceRunning() { return instanceLock_.HeldElsewhere(); }

double LinuxToolkit::TimeOfDay() {
    timeval now{};
    gettimeofday(&now, nullptr);
    std::tm local{};
    time_t seconds = now.tv_sec;
    localtime_r(&seconds, &local);
    return local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + now.tv_usec / 1e6;
}

float LinuxToolkit::Random() {
    // 24 random bits make every value exactly representable and below 1.
    return static_cast<float>(random_() >> 8) * (1.0f / 16777216.0f);
}

void LinuxToolkit::DoEvents() { pump_->Pump(); }

void LinuxToolkit::RunWhileWindowsOpen() {
    while (Fl::first_window()) Fl::wait();
}

void LinuxToolkit::ShowMessageBox(const std::string& text, int style,
                                  const std::string& caption) {
    // FLTK's boxes need an X display; without one (a Wayland session without XWayland)
    // FLTK would end the process with a line that does not say what the box said. The
    // box's text goes to standard error instead, and the box counts as read.
    if (!x_->Get()) {
        std::fprintf(stderr, "kelvora: %s: %s\n", caption.c_str(), text.c_str());
        return;
    }
    fl_message_title(caption.c_str());
    // FLTK's one button reads "Close"; the boxes read "OK" on Windows, and here too.
    fl_close = fl_ok;
    NoteEvent("message-box-button " + QuotedForEvent(fl_close));
    Fl::add_timeout(0, CloseBoxesOnQuit);
    if (style & MbIconExclamation) {
        fl_alert("%s", text.c_str());
    } else {
        fl_message("%s", text.c_str());
    }
    Fl::remove_timeout(CloseBoxesOnQuit);
}

void LinuxToolkit::EndProcess(int exitCode) {
    std::fflush(nullptr);
    std::_Exit(exitCode);
}

std::unique_ptr<Toolkit> NewLinuxToolkit(int argc, char** argv, std::shared_ptr<XConnection> x,
                                         std::shared_ptr<EventPump> pump) {
    return std::make_unique<LinuxToolkit>(argc, argv, std::move(x), std::move(pump));
}

}  // namespace platform

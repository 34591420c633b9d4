#include "host/hack_mode.h"

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <vector>

#include "common/event_note.h"
#include "host/hack_options.h"
#include "host/hack_window.h"
#include "saver/candle_scene.h"
#include "saver/saver_state.h"
#include "seams/toolkit.h"
#include "settings/settings.h"
#include "settings/settings_files.h"

namespace mScreenSaver {

namespace {

// Set from the signal handler: the daemon asks the hack to stop with SIGTERM, a user at
// a terminal with SIGINT.
std::atomic<bool> stopAsked{false};

void AskToStop(int) { stopAsked = true; }

std::vector<std::string> Words(const std::string& arguments) {
    std::istringstream stream(arguments);
    std::vector<std::string> words;
    for (std::string word; stream >> word;) words.push_back(word);
    return words;
}

platform::WindowHandle OpenWindow(const HackOptions& options) {
    platform::HackWindowSystem& windows = platform::HackWindows();
    switch (options.target) {
    case HackOptions::Target::Root:
        return windows.Adopt(options.windowId ? options.windowId : windows.RootWindowId());
    case HackOptions::Target::WindowId:
        return windows.Adopt(options.windowId);
    case HackOptions::Target::OwnWindow:
        break;
    }
    return windows.OpenOwn([] { stopAsked = true; });
}

// Counts presented frames and prints their rate once a second.
class FpsCounter {
public:
    using Clock = std::chrono::steady_clock;
    explicit FpsCounter(bool print) : print_(print) {}
    void Count() {
        if (!print_) return;
        ++frames_;
        double seconds = std::chrono::duration<double>(Clock::now() - start_).count();
        if (seconds < 1.0) return;
        std::fprintf(stderr, "kelvora: %.1f fps\n", frames_ / seconds);
        start_ = Clock::now();
        frames_ = 0;
    }

private:
    bool print_;
    Clock::time_point start_ = Clock::now();
    int frames_ = 0;
};

void DrawUntilStopped(saver::SaverState& state, bool printFps) {
    FpsCounter fps(printFps);
    while (!stopAsked) {
        platform::App().DoEvents();
        if (stopAsked) break;
        saver::DrawCandleFrame(state);
        state.Engine->PresentFrame();
        NoteFirstFrame();
        fps.Count();
    }
}

}  // namespace

bool HackModeAsked(const std::string& arguments) {
    return platform::HackWindows.Installed() && IsHackCommandLine(arguments);
}

void RunHack(const std::string& arguments) {
    const char* daemonWindow = std::getenv("XSCREENSAVER_WINDOW");
    HackOptions options = ParseHackOptions(Words(arguments), daemonWindow);
    if (options.showUsage) {
        std::fputs(HackUsage().c_str(), stdout);
        return;
    }
    // Before the window system starts, which leaves handlers that are already set alone.
    std::signal(SIGTERM, AskToStop);
    std::signal(SIGINT, AskToStop);

    saver::SaverState state;
    platform::WindowHandle window = OpenWindow(options);
    try {
        saver::SetUpCandleScene(state, MediaFolderPath(), FindSettingsFiles().toRead, window,
                                saver::WindowFit::AsItStands, options.settings);
        DrawUntilStopped(state, options.printFps);
    } catch (...) {
        saver::ReleaseEngineObjects(state);
        platform::HackWindows().Release(window);
        throw;
    }
    saver::ReleaseEngineObjects(state);
    platform::HackWindows().Release(window);
    NoteEvent("ending 0");
}

}  // namespace mScreenSaver

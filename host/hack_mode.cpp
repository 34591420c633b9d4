#include "host/hack_mode.h"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <vector>

#include "common/event_note.h"
#include "host/hack_options.h"
#include "product.h"
#include "saver/candle_scene.h"
#include "saver/saver_state.h"
#include "seams/toolkit.h"
#include "settings/settings.h"
#include "settings/settings_files.h"

namespace mScreenSaver {

namespace {

// Set from the signal handler, so a static by nature: the daemon asks the hack to stop with SIGTERM, a user at
// a terminal with SIGINT.
std::atomic<bool> stopAsked{false};

void AskToStop(int) { stopAsked = true; }

std::vector<std::string> Words(const std::string& arguments) {
    std::istringstream stream(arguments);
    std::vector<std::string> words;
    for (std::string word; stream >> word;) words.push_back(word);
    return words;
}

platform::WindowHandle OpenWindow(const HackOptions& options, platform::HackWindowSystem& windows) {
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

void DrawUntilStopped(saver::SaverState& state) {
    while (!stopAsked) {
        platform::App().DoEvents();
        if (stopAsked) break;
        saver::DrawCandleFrame(state);
        state.Engine->PresentFrame();
        NoteFirstFrame();
    }
}

}  // namespace

bool HackModeAsked(const std::string& arguments, const mMain::HostBackends& backends) {
    return backends.hackWindows && IsHackCommandLine(arguments);
}

void RunHack(const std::string& arguments, const mMain::HostBackends& backends) {
    const char* daemonWindow = std::getenv("XSCREENSAVER_WINDOW");
    HackOptions options = ParseHackOptions(Words(arguments), daemonWindow);
    if (options.showUsage) {
        std::fputs(HackUsage().c_str(), stdout);
        return;
    }
    if (options.showVersion) {
        std::printf("kelvora %s\n", ProductVersion);
        return;
    }
    if (options.addToXScreenSaver) {
        std::puts(backends.hackListing->AddToUserList().c_str());
        return;
    }
    for (const std::string& warning : options.warnings) std::fprintf(stderr, "kelvora: %s\n", warning.c_str());
    // Before the window system starts, which leaves handlers that are already set alone.
    std::signal(SIGTERM, AskToStop);
    std::signal(SIGINT, AskToStop);

    saver::SaverState state;
    platform::HackWindowSystem& windows = *backends.hackWindows;
    platform::WindowHandle window = OpenWindow(options, windows);
    try {
        saver::SetUpCandleScene(state, MediaFolderPath(), FindSettingsFiles().toRead, window,
                                saver::WindowFit::AsItStands, options.settings);
        // As the hacks beside it do, in a corner of the picture.
        if (options.showFps) state.Engine->DisplayFramesPerSecond(1);
        DrawUntilStopped(state);
    } catch (...) {
        saver::ReleaseEngineObjects(state);
        windows.Release(window);
        throw;
    }
    saver::ReleaseEngineObjects(state);
    windows.Release(window);
    NoteEvent("ending 0");
}

}  // namespace mScreenSaver

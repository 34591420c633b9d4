// The backends a product plugs into the seams, installed all at once before Main runs.
#pragma once
#include "dialog/settings_window.h"
#include "host/hack_window.h"
#include "host/preview_holder.h"
#include "saver/engine.h"
#include "saver/saver_window.h"
#include "seams/display.h"
#include "seams/toolkit.h"
#include "seams/windows_api.h"

namespace mMain {

struct Backends {
    platform::Toolkit& toolkit;
    platform::WindowsApi& windows;
    platform::DisplaySystem& display;
    saver::SaverWindowSystem& saverWindows;
    saver::EngineObjects& engines;
    dialog::SettingsWindowFactory& settingsWindows;
    platform::PreviewHolder& previewHolder;
    // Null where no screen-saver daemon runs hacks (Windows).
    platform::HackWindowSystem* hackWindows;
};

inline void InstallBackends(const Backends& backends) {
    platform::App.Install(backends.toolkit);
    platform::Windows.Install(backends.windows);
    platform::Screen.Install(backends.display);
    saver::SaverWindows.Install(backends.saverWindows);
    saver::Engines.Install(backends.engines);
    dialog::SettingsWindows.Install(backends.settingsWindows);
    platform::PreviewHolderWindow.Install(backends.previewHolder);
    if (backends.hackWindows) platform::HackWindows.Install(*backends.hackWindows);
}

}  // namespace mMain

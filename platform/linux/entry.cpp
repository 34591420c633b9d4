// The Linux program's entry: installs the backends and runs the start procedure.
#include "engine/gl_engine_objects.h"
#include "host/startup.h"
#include "platform/display_saver_windows.h"
#include "platform/settings_window.h"
#include "platform/linux/linux_settings_window.h"
#include "platform/linux/linux_toolkit.h"
#include "platform/linux/linux_windows_api.h"
#include "platform/linux/xlib_preview_holder.h"

int main(int argc, char** argv) {
    platform::LinuxToolkit toolkit(argc, argv);
    platform::LinuxWindowsApi windows;
    platform::XlibPreviewHolder previewHolder;
    platform::UseToolkit(toolkit);
    platform::UseWindowsApi(windows);
    platform::UsePreviewHolder(previewHolder);
    platform::UseSettingsWindowFactory(platform::CreateFltkSettingsWindow);
    engine::GlEngineObjects engines;
    scene::UseEngineObjects(engines);
    platform::DisplaySaverWindows saverWindows;
    platform::UseSaverWindows(saverWindows);
    return mMain::RunProcess();
}

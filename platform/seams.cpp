// The slots that hold the installed backends of the seams.
#include <stdexcept>

#include "platform/preview_holder.h"
#include "platform/saver_window.h"
#include "platform/toolkit.h"
#include "platform/windows_api.h"

namespace platform {
namespace {
WindowsApi* installedWindowsApi = nullptr;
Toolkit* installedToolkit = nullptr;
PreviewHolder* installedPreviewHolder = nullptr;
SaverWindowSystem* installedSaverWindows = nullptr;

template <typename Seam>
Seam& Installed(Seam* seam, const char* name) {
    if (!seam) throw std::logic_error(std::string(name) + " used before a backend was installed");
    return *seam;
}
}  // namespace

WindowsApi& Windows() { return Installed(installedWindowsApi, "WindowsApi"); }
void UseWindowsApi(WindowsApi& api) { installedWindowsApi = &api; }

Toolkit& App() { return Installed(installedToolkit, "Toolkit"); }
void UseToolkit(Toolkit& toolkit) { installedToolkit = &toolkit; }

PreviewHolder& PreviewHolderWindow() {
    return Installed(installedPreviewHolder, "PreviewHolder");
}
void UsePreviewHolder(PreviewHolder& holder) { installedPreviewHolder = &holder; }

SaverWindowSystem& SaverWindows() { return Installed(installedSaverWindows, "SaverWindows"); }
void UseSaverWindows(SaverWindowSystem& windows) { installedSaverWindows = &windows; }

}  // namespace platform

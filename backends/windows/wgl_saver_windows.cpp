// The saver window on Windows: a window of the saver's class on each monitor, with its own
// device context for the one OpenGL context.
#include "backends/windows/wgl_saver_windows.h"

#include <string>
#include <utility>
#include <vector>

#include "common/runtime_error.h"
#include "saver/monitor_windows.h"

namespace platform {

namespace {

// The monitors as the system lists them, the primary first.
std::vector<RECT> MonitorRects() {
    std::vector<RECT> rects;
    EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR monitor, HDC, LPRECT, LPARAM list) -> BOOL {
            MONITORINFO info{};
            info.cbSize = sizeof info;
            if (!GetMonitorInfoA(monitor, &info)) return TRUE;
            auto& rects = *reinterpret_cast<std::vector<RECT>*>(list);
            if (info.dwFlags & MONITORINFOF_PRIMARY)
                rects.insert(rects.begin(), info.rcMonitor);
            else
                rects.push_back(info.rcMonitor);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&rects));
    if (rects.empty()) rects.push_back(Win32Video::MonitorRect(nullptr));
    return rects;
}

class WglSaverWindows : public saver::SaverWindowSystem {
public:
    explicit WglSaverWindows(std::shared_ptr<Win32Video> video) : video_(std::move(video)) {}

    WindowHandle Create(std::function<void()> onClose) override {
        SaverWindowSet set;
        set.windows = saver::MakeWindowPerMonitor<RECT, HWND>(
            MonitorRects(), [&](const RECT& monitor) { return CreateOne(monitor, onClose); },
            [this](HWND window) { DestroyOne(window); });
        HWND primary = set.windows.front();
        // Without it (an older system) the saver simply draws on while the display is off.
        set.powerNotification =
            RegisterPowerSettingNotification(primary, &kConsoleDisplayState, DEVICE_NOTIFY_WINDOW_HANDLE);
        video_->saverWindows[primary] = set;
        return reinterpret_cast<WindowHandle>(primary);
    }

    void Show(WindowHandle handle) override {
        HWND primary = Win32Video::WindowOf(handle);
        std::vector<HWND> windows = video_->MonitorWindowsOf(primary);
        saver::ShowPrimaryLast<HWND>(windows, [](HWND window, bool isPrimary) {
            if (!isPrimary) {
                ShowWindow(window, SW_SHOWNOACTIVATE);
                return;
            }
            ShowWindow(window, SW_SHOW);
            SetForegroundWindow(window);
            SetFocus(window);
        });
        POINT cursor{};
        GetCursorPos(&cursor);
        auto found = saver::FindCursorWindow<HWND>(windows, cursor.x, cursor.y, [](HWND window) {
            RECT area{};
            GetWindowRect(window, &area);
            return saver::DesktopArea{area.left, area.top, area.right - area.left, area.bottom - area.top};
        });
        if (found) video_->input.Motion(reinterpret_cast<WindowHandle>(found->window), found->x, found->y);
    }

    void Destroy(WindowHandle handle) override {
        HWND primary = reinterpret_cast<HWND>(handle);
        std::vector<HWND> windows = video_->MonitorWindowsOf(primary);
        auto found = video_->saverWindows.find(primary);
        if (found != video_->saverWindows.end()) {
            if (found->second.powerNotification) UnregisterPowerSettingNotification(found->second.powerNotification);
            video_->saverWindows.erase(found);
        }
        for (HWND window : windows) DestroyOne(window);
    }

private:
    HWND CreateOne(const RECT& monitor, const std::function<void()>& onClose) {
        HWND window = video_->CreateSaverWindow(monitor);
        if (!window) throw RuntimeError(ErrorCode::InvalidArgument, "the saver window cannot be created");
        video_->closeHandlers[window] = onClose;
        return window;
    }

    // The window goes without being hidden first: DestroyWindow hides a visible window,
    // and Wine hides a full-screen window by waiting, two seconds at most, for a window
    // manager to say it was shown; on an X server without one that is every monitor's
    // window in turn, seconds after the key. Nothing is drawn in it any more.
    void DestroyOne(HWND window) {
        video_->closeHandlers.erase(window);
        if (!IsWindow(window)) return;
        SetWindowLongPtrA(window, GWL_STYLE, GetWindowLongPtrA(window, GWL_STYLE) & ~WS_VISIBLE);
        DestroyWindow(window);
    }

    std::shared_ptr<Win32Video> video_;
};

}  // namespace

std::unique_ptr<saver::SaverWindowSystem> NewWglSaverWindows(std::shared_ptr<Win32Video> video) {
    return std::make_unique<WglSaverWindows>(std::move(video));
}

}  // namespace platform

// The WGL display backend: the saver window (one window of a plain Win32 class with its own
// device context per monitor), the OpenGL 3.3 core context shown in each, the console
// display's power state, and the input record that the windows' messages feed.
#include <windows.h>

#include <GL/gl.h>
#include <GL/wglext.h>

#include <algorithm>
#include <cstring>
#include <exception>
#include <map>
#include <vector>
#include <memory>
#include <string>
#include <utility>

#include "backends/uncapped_frames.h"
#include "backends/windows/win32_input.h"
#include "backends/windows/window_failure.h"
#include "backends/windows/windows_backends.h"
#include "common/runtime_error.h"

namespace platform {

namespace {

constexpr const char* kWindowClass = "KelvoraSaverWindow";

// Windows 10 1803 and later; MinGW's headers do not name it yet.
constexpr DWORD kHighResolutionTimer = 0x00000002;

// The console display's power setting: its data is 0 while the display is off, 1 while it
// is on and 2 while it is dimmed.
constexpr GUID kConsoleDisplayState = {0x6fe69556, 0x704a, 0x47a0, {0x8f, 0x24, 0xc2, 0x8d, 0x93, 0x6f, 0xda, 0x47}};

struct SaverWindowSet {
    std::vector<HWND> windows;  // the primary monitor's first
    HPOWERNOTIFY powerNotification = nullptr;
};

struct DisplayState {
    // Every window of a saver window has its close handler.
    std::map<HWND, std::function<void()>> closeHandlers;
    // A saver window's windows by its first (the primary monitor's).
    std::map<HWND, SaverWindowSet> saverWindows;
    bool displayOn = true;
    HGLRC context = nullptr;
    PFNWGLSWAPINTERVALEXTPROC swapInterval = nullptr;
    HMODULE openGlLibrary = nullptr;
    bool cursorShown = true;
    InputRecord input;
};

DisplayState& State() {
    static DisplayState state;
    return state;
}

HWND WindowOf(WindowHandle handle) {
    HWND window = reinterpret_cast<HWND>(handle);
    if (!IsWindow(window)) throw RuntimeError(ErrorCode::InvalidArgument, "no window with handle " + std::to_string(handle));
    return window;
}

std::vector<HWND> MonitorWindowsOf(HWND window) {
    auto found = State().saverWindows.find(window);
    if (found != State().saverWindows.end()) return found->second.windows;
    return {window};
}

// The others follow the primary's place in the z-order, topmost or not, so that what the
// ending routine does to the saver window's handle holds for every monitor.
void FollowPrimary(HWND primary) {
    auto found = State().saverWindows.find(primary);
    if (found == State().saverWindows.end()) return;
    bool topmost = (GetWindowLongA(primary, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    for (HWND follower : found->second.windows)
        if (follower != primary)
            SetWindowPos(follower, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void NotePowerSetting(LPARAM lParam) {
    const auto* setting = reinterpret_cast<const POWERBROADCAST_SETTING*>(lParam);
    if (!setting || !IsEqualGUID(setting->PowerSetting, kConsoleDisplayState) ||
        setting->DataLength < sizeof(DWORD))
        return;
    DWORD state = 0;
    std::memcpy(&state, setting->Data, sizeof state);
    State().displayOn = state != 0;
}

LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DisplayState& state = State();
    FeedWin32Input(window, message, wParam, lParam, state.input);
    switch (message) {
    case WM_CLOSE: {
        auto handler = state.closeHandlers.find(window);
        // The handler may destroy the window and with it this entry.
        if (handler != state.closeHandlers.end()) std::function<void()>(handler->second)();
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;  // GL paints every pixel
    case WM_WINDOWPOSCHANGED:
        if (!(reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_NOZORDER)) FollowPrimary(window);
        break;
    case WM_POWERBROADCAST:
        if (wParam == PBT_POWERSETTINGCHANGE) {
            NotePowerSetting(lParam);
            return TRUE;
        }
        break;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MOUSEWHEEL:
        // The input record has had them; nothing else is to be done with the mouse.
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK SaverWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return HandleMessage(window, message, wParam, lParam);
    } catch (...) {
        KeepWindowFailure(std::current_exception());
        return 0;
    }
}

void RegisterWindowClass() {
    static bool registered = false;
    if (registered) return;
    WNDCLASSA windowClass{};
    // OpenGL needs CS_OWNDC: the context stays bound to one device context.
    windowClass.style = CS_OWNDC | CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = SaverWindowProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
    windowClass.lpszClassName = kWindowClass;
    if (!RegisterClassA(&windowClass)) throw RuntimeError(ErrorCode::InvalidArgument, "the saver window class cannot be registered");
    registered = true;
}

RECT MonitorRect(HWND window) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    HMONITOR monitor = window ? MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY)
                              : MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    GetMonitorInfoA(monitor, &info);
    return info.rcMonitor;
}

void SetPixelFormatOnce(HDC dc) {
    if (GetPixelFormat(dc) != 0) return;
    PIXELFORMATDESCRIPTOR format{};
    format.nSize = sizeof format;
    format.nVersion = 1;
    format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    format.iPixelType = PFD_TYPE_RGBA;
    format.cColorBits = 32;
    // For a scene drawn straight into the window: sixteen bits tell the scene's surfaces
    // apart (the pumpkin's shell is five units thick at three hundred units' distance, where
    // they resolve about one and a half) in half the memory of 24, 4 MB of a 1080p monitor.
    format.cDepthBits = 16;
    format.iLayerType = PFD_MAIN_PLANE;
    int chosen = ChoosePixelFormat(dc, &format);
    if (!chosen || !SetPixelFormat(dc, chosen, &format))
        throw RuntimeError(ErrorCode::InvalidArgument, "the window offers no OpenGL pixel format");
}

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
    if (rects.empty()) rects.push_back(MonitorRect(nullptr));
    return rects;
}

class WglSaverWindows : public saver::SaverWindowSystem {
public:
    WindowHandle Create(std::function<void()> onClose) override {
        RegisterWindowClass();
        SaverWindowSet set;
        try {
            for (const RECT& monitor : MonitorRects()) {
                HWND window = CreateWindowExA(0, kWindowClass, "Kelvora", WS_POPUP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                                              monitor.left, monitor.top, monitor.right - monitor.left,
                                              monitor.bottom - monitor.top, nullptr, nullptr,
                                              GetModuleHandleA(nullptr), nullptr);
                if (!window) throw RuntimeError(ErrorCode::InvalidArgument, "the saver window cannot be created");
                set.windows.push_back(window);
                State().closeHandlers[window] = onClose;
            }
        } catch (...) {
            for (HWND window : set.windows) DestroyOne(window);
            throw;
        }
        HWND primary = set.windows.front();
        // Without it (an older system) the saver simply draws on while the display is off.
        set.powerNotification =
            RegisterPowerSettingNotification(primary, &kConsoleDisplayState, DEVICE_NOTIFY_WINDOW_HANDLE);
        State().saverWindows[primary] = set;
        return reinterpret_cast<WindowHandle>(primary);
    }

    void Show(WindowHandle handle) override {
        HWND primary = WindowOf(handle);
        for (HWND window : MonitorWindowsOf(primary))
            if (window != primary) ShowWindow(window, SW_SHOWNOACTIVATE);
        ShowWindow(primary, SW_SHOW);
        SetForegroundWindow(primary);
        SetFocus(primary);
        // The cursor may rest where a window appears; report it there before it moves.
        POINT cursor{};
        GetCursorPos(&cursor);
        for (HWND window : MonitorWindowsOf(primary)) {
            RECT area{};
            GetWindowRect(window, &area);
            if (!PtInRect(&area, cursor)) continue;
            ScreenToClient(window, &cursor);
            State().input.Motion(reinterpret_cast<WindowHandle>(window), cursor.x, cursor.y);
            break;
        }
    }

    void Destroy(WindowHandle handle) override {
        HWND primary = reinterpret_cast<HWND>(handle);
        std::vector<HWND> windows = MonitorWindowsOf(primary);
        auto found = State().saverWindows.find(primary);
        if (found != State().saverWindows.end()) {
            if (found->second.powerNotification) UnregisterPowerSettingNotification(found->second.powerNotification);
            State().saverWindows.erase(found);
        }
        for (HWND window : windows) DestroyOne(window);
    }

private:
    static void DestroyOne(HWND window) {
        State().closeHandlers.erase(window);
        if (IsWindow(window)) DestroyWindow(window);
    }
};

class WglDisplay : public DisplaySystem {
public:
    ~WglDisplay() override {
        if (timer_) CloseHandle(timer_);
    }

    void CoverMonitor(WindowHandle handle) override {
        for (HWND window : MonitorWindowsOf(WindowOf(handle))) {
            RECT monitor = MonitorRect(window);
            SetWindowPos(window, nullptr, monitor.left, monitor.top, monitor.right - monitor.left,
                         monitor.bottom - monitor.top, SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }

    std::vector<WindowHandle> MonitorWindows(WindowHandle handle) override {
        std::vector<WindowHandle> handles;
        for (HWND window : MonitorWindowsOf(WindowOf(handle)))
            handles.push_back(reinterpret_cast<WindowHandle>(window));
        return handles;
    }

    double RefreshRate(WindowHandle handle) override {
        if (FramesUncapped()) return kUncappedRefreshHz;
        MONITORINFOEXA info{};
        info.cbSize = sizeof info;
        DEVMODEA mode{};
        mode.dmSize = sizeof mode;
        if (!GetMonitorInfoA(MonitorFromWindow(WindowOf(handle), MONITOR_DEFAULTTOPRIMARY), &info) ||
            !EnumDisplaySettingsA(info.szDevice, ENUM_CURRENT_SETTINGS, &mode))
            return 0;
        // 0 and 1 stand for the hardware's default rate, which the system does not say.
        return mode.dmDisplayFrequency > 1 ? mode.dmDisplayFrequency : 0;
    }

    void StartGl(WindowHandle handle) override {
        // Every window the context will be made current on needs the same pixel format.
        for (HWND window : MonitorWindowsOf(WindowOf(handle))) SetPixelFormatOnce(GetDC(window));
        HDC dc = GetDC(WindowOf(handle));
        // A core context needs wglCreateContextAttribsARB, which only a current context
        // can fetch: make a plain one first, then the one we keep.
        HGLRC plain = wglCreateContext(dc);
        if (!plain || !wglMakeCurrent(dc, plain)) throw RuntimeError(ErrorCode::InvalidArgument, "no OpenGL context on the window");
        auto createContext = reinterpret_cast<PFNWGLCREATECONTEXTATTRIBSARBPROC>(
            reinterpret_cast<void*>(wglGetProcAddress("wglCreateContextAttribsARB")));
        const int attributes[] = {WGL_CONTEXT_MAJOR_VERSION_ARB, 3, WGL_CONTEXT_MINOR_VERSION_ARB, 3,
                                  WGL_CONTEXT_PROFILE_MASK_ARB, WGL_CONTEXT_CORE_PROFILE_BIT_ARB, 0};
        HGLRC context = createContext ? createContext(dc, nullptr, attributes) : nullptr;
        wglMakeCurrent(nullptr, nullptr);
        wglDeleteContext(plain);
        if (!context || !wglMakeCurrent(dc, context)) {
            if (context) wglDeleteContext(context);
            throw RuntimeError(ErrorCode::InvalidArgument, "no OpenGL 3.3 core context on the window");
        }
        DisplayState& state = State();
        state.context = context;
        state.swapInterval = reinterpret_cast<PFNWGLSWAPINTERVALEXTPROC>(
            reinterpret_cast<void*>(wglGetProcAddress("wglSwapIntervalEXT")));
        if (!state.openGlLibrary) state.openGlLibrary = LoadLibraryA("opengl32.dll");
    }

    void MakeCurrent(WindowHandle handle) override {
        HDC dc = GetDC(WindowOf(handle));
        if (wglGetCurrentDC() == dc && wglGetCurrentContext() == State().context) return;
        if (!wglMakeCurrent(dc, State().context))
            throw RuntimeError(ErrorCode::InvalidArgument, "the OpenGL context cannot be moved to another window");
    }

    void* GlFunction(const char* name) override {
        // wglGetProcAddress knows only what came after OpenGL 1.1; the rest is exported by
        // opengl32.dll. Some drivers answer a small number instead of null for "unknown".
        auto address = reinterpret_cast<std::intptr_t>(wglGetProcAddress(name));
        if (address == 0 || address == 1 || address == 2 || address == 3 || address == -1)
            return reinterpret_cast<void*>(GetProcAddress(State().openGlLibrary, name));
        return reinterpret_cast<void*>(address);
    }

    void StopGl(WindowHandle) override {
        DisplayState& state = State();
        wglMakeCurrent(nullptr, nullptr);
        if (state.context) wglDeleteContext(state.context);
        state.context = nullptr;
        state.swapInterval = nullptr;
    }

    PixelSize DrawableSize(WindowHandle handle) override {
        RECT client{};
        GetClientRect(WindowOf(handle), &client);
        return {client.right - client.left, client.bottom - client.top};
    }

    void SwapBuffers(WindowHandle handle) override {
        HWND window = WindowOf(handle);
        if (!IsWindowVisible(window)) ShowWindow(window, SW_SHOW);
        ::SwapBuffers(GetDC(window));
    }

    bool SetSwapInterval(int interval) override {
        return State().swapInterval && State().swapInterval(FramesUncapped() ? 0 : interval);
    }

    void ShowCursor(bool visible) override {
        // The system keeps a count, not a state: change it only when ours changes.
        DisplayState& state = State();
        if (state.cursorShown == visible) return;
        ::ShowCursor(visible ? TRUE : FALSE);
        state.cursorShown = visible;
    }

    InputRecord& Input() override { return State().input; }

    bool MonitorsOn() override { return State().displayOn; }

    double Seconds() override {
        LARGE_INTEGER frequency, counter;
        QueryPerformanceFrequency(&frequency);
        QueryPerformanceCounter(&counter);
        return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
    }

    void Sleep(double seconds) override {
        if (!(seconds > 0)) return;
        // Sleep() counts in the system's timer ticks (often 15.6 ms), too coarse for a
        // frame; a high-resolution waitable timer keeps to the millisecond where offered.
        if (!timer_) timer_ = CreateWaitableTimerExW(nullptr, nullptr, kHighResolutionTimer, TIMER_ALL_ACCESS);
        if (!timer_) timer_ = CreateWaitableTimerExW(nullptr, nullptr, 0, TIMER_ALL_ACCESS);
        LARGE_INTEGER due;
        // Negative: relative, in 100-nanosecond units.
        due.QuadPart = -static_cast<LONGLONG>(seconds * 1e7);
        if (timer_ && SetWaitableTimer(timer_, &due, 0, nullptr, nullptr, FALSE))
            WaitForSingleObject(timer_, INFINITE);
        else
            ::Sleep(static_cast<DWORD>(seconds * 1000));
    }

    void WaitForEvents(double seconds) override {
        // Wakes for any message that arrives after the pump last emptied the queue: input,
        // the power broadcast, a close.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(seconds * 1000), QS_ALLINPUT);
    }

private:
    HANDLE timer_ = nullptr;
};

}  // namespace

std::unique_ptr<DisplaySystem> NewWglDisplay() { return std::make_unique<WglDisplay>(); }

std::unique_ptr<saver::SaverWindowSystem> NewWglSaverWindows() {
    return std::make_unique<WglSaverWindows>();
}

}  // namespace platform

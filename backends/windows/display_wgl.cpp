// The WGL display backend: the OpenGL 3.3 core context shown in the windows of the shared
// window state, present, cursor, the console display's power state, the input record the
// windows' messages feed, waits and the clock.
#include "backends/windows/display_wgl.h"

#include <GL/gl.h>
#include <GL/wglext.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "backends/frame_rate_file.h"
#include "backends/display_clock.h"
#include "backends/uncapped_frames.h"
#include "common/runtime_error.h"

namespace platform {

namespace {

// Windows 10 1803 and later; MinGW's headers do not name it yet.
constexpr DWORD kHighResolutionTimer = 0x00000002;

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

class WglDisplay : public DisplaySystem {
public:
    explicit WglDisplay(std::shared_ptr<Win32Video> video) : video_(std::move(video)) {}
    ~WglDisplay() override {
        if (timer_) CloseHandle(timer_);
    }

    void CoverMonitor(WindowHandle handle) override {
        for (HWND window : video_->MonitorWindowsOf(Win32Video::WindowOf(handle))) {
            RECT monitor = Win32Video::MonitorRect(window);
            SetWindowPos(window, nullptr, monitor.left, monitor.top, monitor.right - monitor.left,
                         monitor.bottom - monitor.top, SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }

    std::vector<WindowHandle> MonitorWindows(WindowHandle handle) override {
        std::vector<WindowHandle> handles;
        for (HWND window : video_->MonitorWindowsOf(Win32Video::WindowOf(handle)))
            handles.push_back(reinterpret_cast<WindowHandle>(window));
        return handles;
    }

    double RefreshRate(WindowHandle handle) override {
        if (FramesUncapped()) return kUncappedRefreshHz;
        MONITORINFOEXA info{};
        info.cbSize = sizeof info;
        DEVMODEA mode{};
        mode.dmSize = sizeof mode;
        if (!GetMonitorInfoA(MonitorFromWindow(Win32Video::WindowOf(handle), MONITOR_DEFAULTTOPRIMARY), &info) ||
            !EnumDisplaySettingsA(info.szDevice, ENUM_CURRENT_SETTINGS, &mode))
            return 0;
        // 0 and 1 stand for the hardware's default rate, which the system does not say.
        return mode.dmDisplayFrequency > 1 ? mode.dmDisplayFrequency : 0;
    }

    void StartGl(WindowHandle handle) override {
        // Every window the context will be made current on needs the same pixel format.
        for (HWND window : video_->MonitorWindowsOf(Win32Video::WindowOf(handle))) SetPixelFormatOnce(GetDC(window));
        HDC dc = GetDC(Win32Video::WindowOf(handle));
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
        Win32Video& state = *video_;
        state.context = context;
        state.swapInterval = reinterpret_cast<PFNWGLSWAPINTERVALEXTPROC>(
            reinterpret_cast<void*>(wglGetProcAddress("wglSwapIntervalEXT")));
        if (!state.openGlLibrary) state.openGlLibrary = LoadLibraryA("opengl32.dll");
    }

    void MakeCurrent(WindowHandle handle) override {
        HDC dc = GetDC(Win32Video::WindowOf(handle));
        if (wglGetCurrentDC() == dc && wglGetCurrentContext() == video_->context) return;
        if (!wglMakeCurrent(dc, video_->context))
            throw RuntimeError(ErrorCode::InvalidArgument, "the OpenGL context cannot be moved to another window");
    }

    void* GlFunction(const char* name) override {
        // wglGetProcAddress knows only what came after OpenGL 1.1; the rest is exported by
        // opengl32.dll. Some drivers answer a small number instead of null for "unknown".
        auto address = reinterpret_cast<std::intptr_t>(wglGetProcAddress(name));
        if (address == 0 || address == 1 || address == 2 || address == 3 || address == -1)
            return reinterpret_cast<void*>(GetProcAddress(video_->openGlLibrary, name));
        return reinterpret_cast<void*>(address);
    }

    void StopGl(WindowHandle) override {
        Win32Video& state = *video_;
        wglMakeCurrent(nullptr, nullptr);
        if (state.context) wglDeleteContext(state.context);
        state.context = nullptr;
        state.swapInterval = nullptr;
    }

    PixelSize DrawableSize(WindowHandle handle) override {
        RECT client{};
        GetClientRect(Win32Video::WindowOf(handle), &client);
        return {client.right - client.left, client.bottom - client.top};
    }

    void SwapBuffers(WindowHandle handle) override {
        Presenting(handle);
        ::SwapBuffers(GetDC(Win32Video::WindowOf(handle)));
    }

    void Presenting(WindowHandle handle) override {
        HWND window = Win32Video::WindowOf(handle);
        if (!IsWindowVisible(window)) ShowWindow(window, SW_SHOW);
        // A frame counts once: not again for a saver window's second monitor's window.
        for (const auto& [primary, saver] : video_->saverWindows)
            if (primary != window && std::count(saver.windows.begin(), saver.windows.end(), window)) return;
        frameRate_.Shown(Seconds());
    }

    // WGL leaves the back buffer undefined after a swap and offers no copy of a part.
    bool PresentPart(WindowHandle, const PixelArea&) override { return false; }

    bool SetSwapInterval(int interval) override {
        return video_->swapInterval && video_->swapInterval(FramesUncapped() ? 0 : interval);
    }

    void ShowCursor(bool visible) override {
        // The system keeps a count, not a state: change it only when ours changes.
        Win32Video& state = *video_;
        if (state.cursorShown == visible) return;
        ::ShowCursor(visible ? TRUE : FALSE);
        state.cursorShown = visible;
    }

    InputRecord& Input() override { return video_->input; }

    bool MonitorsOn() override { return video_->displayOn; }

    double Seconds() override { return clock_.Seconds(); }

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
    std::shared_ptr<Win32Video> video_;
    FrameRateFile frameRate_;
    DisplayClock clock_;
    HANDLE timer_ = nullptr;
};

}  // namespace

std::unique_ptr<DisplaySystem> NewWglDisplay(std::shared_ptr<Win32Video> video) {
    return std::make_unique<WglDisplay>(std::move(video));
}

}  // namespace platform

// The WGL display backend: the saver window (a plain Win32 window class with its own
// device context), its OpenGL 3.3 core context, and the input record that the window's
// messages feed.
#include <windows.h>

#include <GL/gl.h>
#include <GL/wglext.h>

#include <exception>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "backends/windows/win32_input.h"
#include "backends/windows/window_failure.h"
#include "backends/windows/windows_backends.h"
#include "common/runtime_error.h"

namespace platform {

namespace {

constexpr const char* kWindowClass = "KelvoraSaverWindow";

struct DisplayState {
    std::map<HWND, std::function<void()>> closeHandlers;
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

LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DisplayState& state = State();
    FeedWin32Input(message, wParam, lParam, state.input);
    switch (message) {
    case WM_CLOSE: {
        auto handler = state.closeHandlers.find(window);
        // The handler may destroy the window and with it this entry.
        if (handler != state.closeHandlers.end()) std::function<void()>(handler->second)();
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;  // GL paints every pixel
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
    format.cDepthBits = 24;
    format.cStencilBits = 8;
    format.iLayerType = PFD_MAIN_PLANE;
    int chosen = ChoosePixelFormat(dc, &format);
    if (!chosen || !SetPixelFormat(dc, chosen, &format))
        throw RuntimeError(ErrorCode::InvalidArgument, "the window offers no OpenGL pixel format");
}

class WglSaverWindows : public saver::SaverWindowSystem {
public:
    WindowHandle Create(std::function<void()> onClose) override {
        RegisterWindowClass();
        RECT monitor = MonitorRect(nullptr);
        HWND window = CreateWindowExA(0, kWindowClass, "Kelvora", WS_POPUP | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                                      monitor.left, monitor.top, monitor.right - monitor.left,
                                      monitor.bottom - monitor.top, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
        if (!window) throw RuntimeError(ErrorCode::InvalidArgument, "the saver window cannot be created");
        State().closeHandlers[window] = std::move(onClose);
        return reinterpret_cast<WindowHandle>(window);
    }

    void Show(WindowHandle handle) override {
        HWND window = WindowOf(handle);
        ShowWindow(window, SW_SHOW);
        SetForegroundWindow(window);
        SetFocus(window);
        // The cursor may rest where the window appears; report it there before it moves.
        POINT cursor{};
        GetCursorPos(&cursor);
        ScreenToClient(window, &cursor);
        State().input.Motion(cursor.x, cursor.y);
    }

    void Destroy(WindowHandle handle) override {
        HWND window = reinterpret_cast<HWND>(handle);
        State().closeHandlers.erase(window);
        if (IsWindow(window)) DestroyWindow(window);
    }
};

class WglDisplay : public DisplaySystem {
public:
    void CoverMonitor(WindowHandle handle) override {
        HWND window = WindowOf(handle);
        RECT monitor = MonitorRect(window);
        SetWindowPos(window, nullptr, monitor.left, monitor.top, monitor.right - monitor.left,
                     monitor.bottom - monitor.top, SWP_NOZORDER | SWP_NOACTIVATE);
    }

    void StartGl(WindowHandle handle) override {
        HDC dc = GetDC(WindowOf(handle));
        SetPixelFormatOnce(dc);
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

    void SwapBuffers(WindowHandle handle) override { ::SwapBuffers(GetDC(WindowOf(handle))); }

    bool SetSwapInterval(int interval) override {
        return State().swapInterval && State().swapInterval(interval);
    }

    void ShowCursor(bool visible) override {
        // The system keeps a count, not a state: change it only when ours changes.
        DisplayState& state = State();
        if (state.cursorShown == visible) return;
        ::ShowCursor(visible ? TRUE : FALSE);
        state.cursorShown = visible;
    }

    InputRecord& Input() override { return State().input; }

    double Seconds() override {
        LARGE_INTEGER frequency, counter;
        QueryPerformanceFrequency(&frequency);
        QueryPerformanceCounter(&counter);
        return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
    }
};

}  // namespace

std::unique_ptr<DisplaySystem> NewWglDisplay() { return std::make_unique<WglDisplay>(); }

std::unique_ptr<saver::SaverWindowSystem> NewWglSaverWindows() {
    return std::make_unique<WglSaverWindows>();
}

}  // namespace platform

// The toolkit's process services on Windows.
#include <windows.h>

#include <memory>
#include <random>
#include <string>

#include <cstdio>

#include "backends/windows/windows_backends.h"
#include "backends/windows/window_failure.h"

namespace platform {

namespace {

class Win32Toolkit : public Toolkit {
public:
    Win32Toolkit();

    std::string CommandLineArguments() override;
    std::string ApplicationFolder() override;
    char PathSeparator() override;
    bool PreviousInstanceRunning() override;
    double TimeOfDay() override;
    float Random() override;
    void DoEvents() override;
    void RunWhileWindowsOpen() override;
    void ShowMessageBox(const std::string& text, int style, const std::string& caption) override;
    [[noreturn]] void EndProcess(int exitCode) override;

private:
    bool previousInstance_ = false;
    std::mt19937 random_;
};


// Every instance, whatever its mode, creates the same named mutex and keeps it for its
// whole life; finding it already there means another instance is running.
bool TakeInstanceMutex() {
    HANDLE mutex = CreateMutexA(nullptr, FALSE, "Local\\KelvoraScreenSaverInstance");
    return mutex && GetLastError() == ERROR_ALREADY_EXISTS;
}

// The command line after the program name and the one blank that separates them.
std::string ArgumentsAfterProgramName(const char* line) {
    const char* p = line;
    if (*p == '"') {
        ++p;
        while (*p && *p != '"') ++p;
        if (*p == '"') ++p;
    } else {
        while (*p && *p != ' ' && *p != '\t') ++p;
    }
    if (*p == ' ' || *p == '\t') ++p;
    return p;
}

bool ThreadHasVisibleWindow() {
    bool found = false;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM result) -> BOOL {
            if (!IsWindowVisible(window)) return TRUE;
            *reinterpret_cast<bool*>(result) = true;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

}  // namespace

Win32Toolkit::Win32Toolkit() : previousInstance_(TakeInstanceMutex()) {}

std::string Win32Toolkit::CommandLineArguments() { return ArgumentsAfterProgramName(GetCommandLineA()); }

std::string Win32Toolkit::ApplicationFolder() {
    char path[MAX_PATH * 4];
    DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path, n);
    std::size_t slash = folder.find_last_of("\\/");
    folder.erase(slash == std::string::npos ? 0 : slash);
    // A drive root keeps its backslash ("C:\").
    if (folder.size() == 2 && folder[1] == ':') folder += '\\';
    return folder;
}

char Win32Toolkit::PathSeparator() { return '\\'; }

bool Win32Toolkit::PreviousInstanceRunning() { return previousInstance_; }

double Win32Toolkit::TimeOfDay() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return now.wHour * 3600.0 + now.wMinute * 60.0 + now.wSecond + now.wMilliseconds / 1000.0;
}

float Win32Toolkit::Random() {
    // 24 random bits make every value exactly representable and below 1.
    return static_cast<float>(random_() >> 8) * (1.0f / 16777216.0f);
}

void Win32Toolkit::DoEvents() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
        RethrowWindowFailure();
    }
}

void Win32Toolkit::RunWhileWindowsOpen() {
    while (ThreadHasVisibleWindow()) {
        MSG message;
        if (GetMessageA(&message, nullptr, 0, 0) <= 0) break;
        // Tab, the arrows and the mnemonics move between a window's controls.
        HWND root = GetAncestor(message.hwnd, GA_ROOT);
        if (!root || !IsDialogMessageA(root, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        RethrowWindowFailure();
    }
    RethrowWindowFailure();
}

void Win32Toolkit::ShowMessageBox(const std::string& text, int style, const std::string& caption) {
    MessageBoxA(GetActiveWindow(), text.c_str(), caption.c_str(), static_cast<UINT>(style));
}

void Win32Toolkit::EndProcess(int exitCode) {
    std::fflush(nullptr);
    ExitProcess(static_cast<UINT>(exitCode));
}

std::unique_ptr<Toolkit> NewWin32Toolkit() { return std::make_unique<Win32Toolkit>(); }

}  // namespace platform

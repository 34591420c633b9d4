// Plays the Display Properties page: opens a window, runs kelvora.scr /p <its handle>,
// and checks what the preview drew into it: the still, pixel for pixel, black beyond it
// to the 160 x 120 block, untouched beyond the block; an end within 2 s with code 0; no
// window made by the preview process. Then the command lines that must draw nothing: handle
// 0 and a handle naming no window end quietly, a missing or too large handle ends with code
// 1 and one line on standard error (a Windows text line, ending in CR LF).
//
// Usage (under Wine the paths may be Unix paths): preview_host KELVORA.SCR STILL.png
// Exit code 0 when every check holds; each failed check prints one line.
#include <windows.h>

#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/preview_expectation.h"

namespace {

using preview_expectation::Rgb;
using preview_expectation::WindowDifferences;
using preview_expectation::WindowHeight;
using preview_expectation::WindowWidth;
constexpr int StillWidth = platform::PreviewStillWidth;
constexpr int StillHeight = platform::PreviewStillHeight;
constexpr DWORD EndWithinMilliseconds = 2000;

int failures = 0;

void Fail(const std::string& what) {
    std::printf("FAIL: %s\n", what.c_str());
    std::fflush(stdout);
    ++failures;
}

// Under Wine a Unix path is turned into the DOS path that Windows programs understand.
std::string WindowsPath(const char* path) {
    using ToDos = WCHAR*(CDECL*)(const char*);
    auto toDos = reinterpret_cast<ToDos>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_dos_file_name")));
    if (!toDos || path[0] != '/') return path;
    WCHAR* wide = toDos(path);
    if (!wide) return path;
    char narrow[MAX_PATH * 4];
    WideCharToMultiByte(CP_ACP, 0, wide, -1, narrow, sizeof narrow, nullptr, nullptr);
    HeapFree(GetProcessHeap(), 0, wide);
    return narrow;
}

void PumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

HWND MakeWindow() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    // White, so that a block left undrawn can never pass for the black margin.
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = "KelvoraPreviewHost";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(WS_EX_TOPMOST, "KelvoraPreviewHost", "Preview host",
                                  WS_POPUP | WS_VISIBLE, 0, 0, WindowWidth, WindowHeight,
                                  nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    UpdateWindow(window);
    PumpMessages();
    return window;
}

void Whiten(HWND window) {
    HDC dc = GetDC(window);
    RECT all{0, 0, WindowWidth, WindowHeight};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    GdiFlush();
    ReleaseDC(window, dc);
}

int windowsCreated = 0;

void CALLBACK CountCreatedWindow(HWINEVENTHOOK, DWORD, HWND, LONG object, LONG, DWORD, DWORD) {
    if (object == OBJID_WINDOW) ++windowsCreated;
}

struct Ended {
    DWORD exitCode;  // STILL_ACTIVE when the preview did not end by itself in time
    int windowsCreated;
    std::string error;
};

std::string ReadAll(HANDLE pipe) {
    std::string text;
    char buffer[512];
    DWORD n = 0;
    while (ReadFile(pipe, buffer, sizeof buffer, &n, nullptr) && n > 0) text.append(buffer, n);
    return text;
}

// Starts the preview with its standard error caught, counts the windows its process
// creates, and waits up to 2 s for it to end while this window keeps handling its messages.
Ended RunPreview(const std::string& scr, const std::string& arguments) {
    std::string commandLine = "\"" + scr + "\" " + arguments;
    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    HANDLE errorRead = nullptr;
    HANDLE errorWrite = nullptr;
    CreatePipe(&errorRead, &errorWrite, &inheritable, 0);
    SetHandleInformation(errorRead, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdError = errorWrite;
    PROCESS_INFORMATION process{};
    BOOL started = CreateProcessA(scr.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                                  CREATE_SUSPENDED, nullptr, nullptr, &startup, &process);
    // Only the child keeps the writing end, so that reading ends when the child does.
    CloseHandle(errorWrite);
    if (!started) {
        Fail("cannot start " + commandLine);
        CloseHandle(errorRead);
        return {STILL_ACTIVE, 0, ""};
    }
    windowsCreated = 0;
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_CREATE, EVENT_OBJECT_CREATE, nullptr,
                                         CountCreatedWindow, process.dwProcessId, 0,
                                         WINEVENT_OUTOFCONTEXT);
    ResumeThread(process.hThread);

    DWORD deadline = GetTickCount() + EndWithinMilliseconds;
    for (;;) {
        DWORD now = GetTickCount();
        DWORD left = now < deadline ? deadline - now : 0;
        DWORD woken = MsgWaitForMultipleObjects(1, &process.hProcess, FALSE, left, QS_ALLINPUT);
        if (woken == WAIT_OBJECT_0 || woken == WAIT_TIMEOUT || woken == WAIT_FAILED) break;
        PumpMessages();
    }
    DWORD exitCode = STILL_ACTIVE;
    GetExitCodeProcess(process.hProcess, &exitCode);
    if (exitCode == STILL_ACTIVE) TerminateProcess(process.hProcess, 99);
    PumpMessages();
    UnhookWinEvent(hook);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    std::string error = ReadAll(errorRead);
    CloseHandle(errorRead);
    return {exitCode, windowsCreated, error};
}

// still null: the whole window must have stayed white. The pixels are read from the screen
// where the window lies, as a user sees them: under Wine another process's drawing goes
// straight to the X window, past this process's own copy of its window's pixels.
void CheckWindow(HWND window, const unsigned char* still, const std::string& arguments) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = WindowWidth;
    info.bmiHeader.biHeight = -WindowHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    HDC screenDc = GetDC(nullptr);
    HDC copyDc = CreateCompatibleDC(screenDc);
    HBITMAP copy = CreateDIBSection(copyDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = SelectObject(copyDc, copy);
    BitBlt(copyDc, 0, 0, WindowWidth, WindowHeight, screenDc, origin.x, origin.y, SRCCOPY);
    GdiFlush();

    const auto* pixels = static_cast<const unsigned char*>(bits);
    std::string wrong = WindowDifferences(still, [pixels](int x, int y) {
        const unsigned char* bgr = &pixels[(y * WindowWidth + x) * 4];
        return Rgb{bgr[2], bgr[1], bgr[0]};
    });
    if (!wrong.empty()) Fail(arguments + ": " + wrong);

    SelectObject(copyDc, previous);
    DeleteObject(copy);
    DeleteDC(copyDc);
    ReleaseDC(nullptr, screenDc);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s KELVORA.SCR STILL.png\n", argv[0]);
        return 2;
    }
    std::string scr = WindowsPath(argv[1]);
    int width = 0, height = 0, channels = 0;
    unsigned char* still = stbi_load(WindowsPath(argv[2]).c_str(), &width, &height, &channels, 3);
    if (!still || width != StillWidth || height != StillHeight) {
        std::fprintf(stderr, "%s is not a %dx%d picture\n", argv[2], StillWidth, StillHeight);
        return 2;
    }
    HWND window = MakeWindow();
    HWND gone = CreateWindowExA(0, "KelvoraPreviewHost", "", WS_POPUP, 0, 0, 1, 1, nullptr,
                                nullptr, GetModuleHandleA(nullptr), nullptr);
    DestroyWindow(gone);

    struct Case {
        std::string arguments;
        bool draws;
        DWORD exitCode;
        std::string error;
    } cases[] = {
        {"/p " + std::to_string(reinterpret_cast<INT_PTR>(window)), true, 0, ""},
        {"/p 0", false, 0, ""},
        {"/p " + std::to_string(reinterpret_cast<INT_PTR>(gone)), false, 0, ""},
        {"/p", false, 1, "kelvora: the preview needs a window handle after /P\r\n"},
        {"/p 4294967296", false, 1,
         "kelvora: the preview window handle lies outside the 32-bit range\r\n"},
    };
    for (const Case& c : cases) {
        Whiten(window);
        Ended ended = RunPreview(scr, c.arguments);
        if (ended.exitCode != c.exitCode) {
            Fail(c.arguments + ": ended with " + std::to_string(ended.exitCode) + ", expected " +
                 std::to_string(c.exitCode) + " (259: not by itself within 2 s)");
        }
        if (ended.error != c.error) {
            Fail(c.arguments + ": standard error was \"" + ended.error + "\"");
        }
        if (ended.windowsCreated) {
            Fail(c.arguments + ": the preview made " + std::to_string(ended.windowsCreated) +
                 " windows");
        }
        CheckWindow(window, c.draws ? still : nullptr, c.arguments);
    }

    stbi_image_free(still);
    DestroyWindow(window);
    if (failures == 0) std::printf("every preview command line behaved\n");
    return failures == 0 ? 0 : 1;
}

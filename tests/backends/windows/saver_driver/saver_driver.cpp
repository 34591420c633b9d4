// Starts the saver with a stand-in taskbar, then reports on standard output, one line per
// event, what happens to it: the taskbar hidden and shown, a "Screen Saver" message box
// with its text and button labels (closing the box when asked), and the saver's exit code.
//
//   saver_driver [--close-message-box] [--existing-taskbar] [--timeout SECONDS]
//                SAVER [ARGUMENTS...]
//
// --existing-taskbar watches the stand-in that another driver made, for a saver started
// while that driver's saver runs.
//
// Lines: "taskbar visible", "started", "taskbar hidden", "taskbar shown",
// "message box: TEXT", "message box buttons: LABEL[, LABEL...]", "exit CODE",
// "final taskbar visible|hidden", or "timeout".
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "stand_in_taskbar.h"

namespace {

void Report(const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

struct BoxSearch {
    DWORD processId;
    HWND found;
};

// A message box of the saver: a dialog of its process whose caption is "Screen Saver".
HWND FindMessageBox(DWORD processId) {
    BoxSearch search{processId, nullptr};
    EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
            auto* s = reinterpret_cast<BoxSearch*>(parameter);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            char caption[64] = {};
            char className[16] = {};
            GetWindowTextA(window, caption, sizeof caption);
            GetClassNameA(window, className, sizeof className);
            if (owner == s->processId && IsWindowVisible(window) &&
                std::string(className) == "#32770" && std::string(caption) == "Screen Saver") {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The message box keeps its text in the static control with the id 0xFFFF.
std::string MessageBoxText(HWND box) {
    char text[1024] = {};
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    return text;
}

// The labels of the box's buttons, in the order the dialog keeps them, joined by ", ".
std::string MessageBoxButtons(HWND box) {
    std::string labels;
    EnumChildWindows(
        box,
        [](HWND child, LPARAM parameter) -> BOOL {
            char className[16] = {};
            GetClassNameA(child, className, sizeof className);
            if (lstrcmpiA(className, "Button") != 0) return TRUE;
            char label[64] = {};
            GetWindowTextA(child, label, sizeof label);
            auto* joined = reinterpret_cast<std::string*>(parameter);
            if (!joined->empty()) *joined += ", ";
            *joined += label;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&labels));
    return labels;
}

void PumpOwnMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

}  // namespace

int main(int argc, char** argv) {
    // Plain line feeds, so that the test scripts can match whole lines.
    _setmode(_fileno(stdout), _O_BINARY);
    bool closeMessageBox = false;
    bool existingTaskbar = false;
    DWORD timeoutMs = 60000;
    int i = 1;
    for (; i < argc && argv[i][0] == '-' && argv[i][1] == '-'; ++i) {
        std::string option = argv[i];
        if (option == "--close-message-box") closeMessageBox = true;
        if (option == "--existing-taskbar") existingTaskbar = true;
        if (option == "--timeout" && i + 1 < argc) timeoutMs = std::atoi(argv[++i]) * 1000;
    }
    if (i >= argc) {
        std::fprintf(stderr, "usage: saver_driver [--close-message-box] [--existing-taskbar] "
                             "[--timeout S] SAVER [ARGS]\n");
        return 2;
    }
    std::string commandLine = std::string("\"") + argv[i] + "\"";
    for (++i; i < argc; ++i) commandLine += std::string(" ") + argv[i];

    HWND taskbar = existingTaskbar ? FindWindowA("Shell_traywnd", "") : MakeStandInTaskbar();
    PumpOwnMessages();
    if (FindWindowA("Shell_traywnd", "") != taskbar) Report("another taskbar comes first");
    Report(IsWindowVisible(taskbar) ? "taskbar visible" : "taskbar hidden");

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        Report("cannot start " + commandLine);
        return 2;
    }
    Report("started");

    bool taskbarVisible = IsWindowVisible(taskbar);
    bool boxReported = false;
    DWORD started = GetTickCount();
    for (;;) {
        PumpOwnMessages();
        bool visibleNow = IsWindowVisible(taskbar);
        if (visibleNow != taskbarVisible) {
            taskbarVisible = visibleNow;
            Report(visibleNow ? "taskbar shown" : "taskbar hidden");
        }
        if (!boxReported) {
            if (HWND box = FindMessageBox(process.dwProcessId)) {
                Report("message box: " + MessageBoxText(box));
                Report("message box buttons: " + MessageBoxButtons(box));
                boxReported = true;
                if (closeMessageBox) PostMessageA(box, WM_COMMAND, IDOK, 0);
            }
        }
        if (WaitForSingleObject(process.hProcess, 20) == WAIT_OBJECT_0) break;
        if (GetTickCount() - started > timeoutMs) {
            Report("timeout");
            TerminateProcess(process.hProcess, 99);
            return 1;
        }
    }
    DWORD exitCode = 0;
    GetExitCodeProcess(process.hProcess, &exitCode);
    Report("exit " + std::to_string(exitCode));
    PumpOwnMessages();
    Report(std::string("final taskbar ") + (IsWindowVisible(taskbar) ? "visible" : "hidden"));
    return 0;
}

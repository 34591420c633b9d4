// Drives kelvora.scr's settings dialog from outside, as a user would, for the end-to-end
// tests: each argument is a step, run in order; a step that times out ends the program
// with code 2. Prints what the steps read on standard output.
//   wait                      until the settings window is visible
//   layout                    each control: class|text|left,top,width,height (client pixels)
//   state                     height=H brightness=B move=M
//   origin                    origin=X,Y size=W,H: the client area on the screen
//   click <caption>           clicks the window's button with that caption
//   scroll <n> <code>         sends scroll code to the n-th scroll bar (tab order, from 1)
//   tick                      clicks the check box
//   tab                       presses Tab in the settings window; waits for the focus to move
//   focus                     the focused control: class|text|left,top,width,height
//   closebox                  closes the window as its close box does
//   answer <caption> <id>     waits for the dialog box with that caption, prints its
//                             texts, and presses its button with that id
//   gone                      until the settings window has gone
// Every wait gives up after a minute: a first start of Wine can take half of that. The
// driver reads real pixels at any screen density, as the dialog draws them.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr DWORD TimeoutMs = 60000;
constexpr const char* SettingsClass = "KelvoraSettings";
constexpr const char* SettingsCaption = "Kelvora Screen Saver";

[[noreturn]] void TimedOut(const std::string& what) {
    std::printf("timed out: %s\n", what.c_str());
    std::fflush(stdout);
    std::exit(2);
}

template <typename Found>
auto PollFor(const std::string& what, Found found) {
    DWORD start = GetTickCount();
    for (;;) {
        if (auto result = found()) return result;
        if (GetTickCount() - start > TimeoutMs) TimedOut(what);
        Sleep(50);
    }
}

HWND SettingsWindow() {
    HWND window = FindWindowA(SettingsClass, SettingsCaption);
    return window && IsWindowVisible(window) ? window : nullptr;
}

std::string ClassOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string TextOf(HWND window) {
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::vector<HWND> Children(HWND parent) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(child);
    }
    return children;
}

HWND ChildOf(HWND parent, const std::string& className, int index) {
    for (HWND child : Children(parent)) {
        if (lstrcmpiA(ClassOf(child).c_str(), className.c_str()) == 0 && --index == 0) return child;
    }
    return nullptr;
}

void PrintControl(HWND window, HWND child) {
    RECT place;
    GetWindowRect(child, &place);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
    std::printf("%s|%s|%ld,%ld,%ld,%ld\n", ClassOf(child).c_str(), TextOf(child).c_str(),
                place.left, place.top, place.right - place.left, place.bottom - place.top);
}

void PrintLayout(HWND window) {
    for (HWND child : Children(window)) PrintControl(window, child);
}

// The settings window's focused control; focus belongs to the window's own thread.
HWND FocusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

void PrintState(HWND window) {
    HWND brightness = ChildOf(window, "ScrollBar", 1);
    HWND height = ChildOf(window, "ScrollBar", 2);
    HWND box = FindWindowExA(window, nullptr, "Button", "Move Pumpkin with Mouse");
    std::printf("height=%d brightness=%d move=%d\n", GetScrollPos(height, SB_CTL),
                GetScrollPos(brightness, SB_CTL),
                SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0);
}

HWND VisibleDialogBox(const std::string& caption) {
    HWND box = FindWindowA("#32770", caption.c_str());
    return box && IsWindowVisible(box) ? box : nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    SetProcessDPIAware();
    std::vector<std::string> steps(argv + 1, argv + argc);
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const std::string& step = steps[i];
        auto argument = [&]() -> std::string {
            if (i + 1 >= steps.size()) {
                std::printf("%s needs an argument\n", step.c_str());
                std::exit(1);
            }
            return steps[++i];
        };
        if (step == "wait") {
            PollFor("the settings window", SettingsWindow);
        } else if (step == "layout") {
            PrintLayout(PollFor("the settings window", SettingsWindow));
        } else if (step == "state") {
            PrintState(PollFor("the settings window", SettingsWindow));
        } else if (step == "origin") {
            HWND window = PollFor("the settings window", SettingsWindow);
            POINT origin{0, 0};
            ClientToScreen(window, &origin);
            RECT client;
            GetClientRect(window, &client);
            std::printf("origin=%ld,%ld size=%ld,%ld\n", origin.x, origin.y, client.right,
                        client.bottom);
        } else if (step == "click") {
            std::string caption = argument();
            HWND window = PollFor("the settings window", SettingsWindow);
            HWND button = FindWindowExA(window, nullptr, "Button", caption.c_str());
            if (!button) TimedOut("a button captioned '" + caption + "'");
            PostMessageA(button, BM_CLICK, 0, 0);
        } else if (step == "scroll") {
            int index = std::atoi(argument().c_str());
            int code = std::atoi(argument().c_str());
            HWND window = PollFor("the settings window", SettingsWindow);
            HWND bar = ChildOf(window, "ScrollBar", index);
            PostMessageA(window, WM_HSCROLL, MAKEWPARAM(code, 0), reinterpret_cast<LPARAM>(bar));
        } else if (step == "tab") {
            HWND window = PollFor("the settings window", SettingsWindow);
            HWND focus = PollFor("a focused control", [&] { return FocusOf(window); });
            PostMessageA(focus, WM_KEYDOWN, VK_TAB, 1);
            PostMessageA(focus, WM_KEYUP, VK_TAB, 0xC0000001);
            PollFor("the focus to move", [&] { return FocusOf(window) != focus; });
        } else if (step == "focus") {
            HWND window = PollFor("the settings window", SettingsWindow);
            PrintControl(window, PollFor("a focused control", [&] { return FocusOf(window); }));
        } else if (step == "tick") {
            HWND window = PollFor("the settings window", SettingsWindow);
            PostMessageA(FindWindowExA(window, nullptr, "Button", "Move Pumpkin with Mouse"),
                         BM_CLICK, 0, 0);
        } else if (step == "closebox") {
            PostMessageA(PollFor("the settings window", SettingsWindow), WM_SYSCOMMAND, SC_CLOSE,
                         0);
        } else if (step == "answer") {
            std::string caption = argument();
            int id = std::atoi(argument().c_str());
            HWND box = PollFor("a dialog box captioned '" + caption + "'",
                               [&] { return VisibleDialogBox(caption); });
            for (HWND child : Children(box)) {
                if (lstrcmpiA(ClassOf(child).c_str(), "Static") == 0 && !TextOf(child).empty()) {
                    std::printf("text: %s\n", TextOf(child).c_str());
                }
            }
            PostMessageA(GetDlgItem(box, id), BM_CLICK, 0, 0);
        } else if (step == "gone") {
            PollFor("the settings window to go",
                    [] { return !FindWindowA(SettingsClass, nullptr); });
        } else {
            std::printf("unknown step: %s\n", step.c_str());
            return 1;
        }
        std::fflush(stdout);
    }
    return 0;
}

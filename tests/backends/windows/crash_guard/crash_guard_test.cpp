// A saver process that hid the taskbar and then dies of a failure that nothing of ours
// catches (an access violation, std::terminate) shows the taskbar again on its way out.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <exception>
#include <string>

#include "saver/taskbar.h"
#include "stand_in_taskbar.h"
#include "backends/windows/crash_guard.h"
#include "backends/windows/windows_backends.h"

namespace {

// The child: hides the taskbar as StartSaver does, then dies the given way.
[[noreturn]] void DieAfterHidingTheTaskbar(const std::string& how) {
    static auto windows = platform::NewWin32WindowsApi();
    platform::Windows.Install(*windows);
    platform::InstallCrashGuard(mScreenSaver::RestoreTaskbarIfHidden);
    mScreenSaver::ShowTaskbar(0);
    if (how == "access-violation") {
        volatile int* nowhere = nullptr;
        *nowhere = 1;
    }
    std::terminate();
}

// Set when the stand-in taskbar is told to hide, however quickly it is shown again.
bool taskbarWasHidden = false;

LRESULT CALLBACK TaskbarProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_WINDOWPOSCHANGING &&
        (reinterpret_cast<WINDOWPOS*>(lParam)->flags & SWP_HIDEWINDOW)) {
        taskbarWasHidden = true;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

struct ChildResult {
    DWORD exitCode = 0;
    bool sawTaskbarHidden = false;
};


ChildResult RunChild(const std::string& how) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, sizeof self);
    std::string commandLine = std::string("\"") + self + "\" --die " + how;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ChildResult result;
    taskbarWasHidden = false;
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        ADD_FAILURE() << "cannot start the child";
        return result;
    }
    // The child's SetWindowPos is answered by this thread, so keep pumping while waiting.
    for (DWORD waited = 0; waited < 30000; waited += 10) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        if (WaitForSingleObject(process.hProcess, 10) == WAIT_OBJECT_0) break;
    }
    GetExitCodeProcess(process.hProcess, &result.exitCode);
    // A child still running is a failure; it must not outlive the test.
    if (result.exitCode == STILL_ACTIVE) TerminateProcess(process.hProcess, 1);
    result.sawTaskbarHidden = taskbarWasHidden;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    return result;
}

class CrashGuard : public ::testing::TestWithParam<const char*> {};

TEST_P(CrashGuard, ShowsTheTaskbarAgainWhenTheSaverDies) {
    HWND taskbar = MakeStandInTaskbar(TaskbarProcedure);
    ASSERT_TRUE(IsWindowVisible(taskbar));
    ChildResult child = RunChild(GetParam());
    EXPECT_NE(child.exitCode, 0u) << "the child did not die";
    if (std::string(GetParam()) == "access-violation") {
        EXPECT_EQ(child.exitCode, static_cast<DWORD>(EXCEPTION_ACCESS_VIOLATION));
    }
    EXPECT_NE(child.exitCode, STILL_ACTIVE);
    EXPECT_TRUE(child.sawTaskbarHidden) << "the child never hid the taskbar";
    EXPECT_TRUE(IsWindowVisible(taskbar)) << "the taskbar stayed hidden";
    DestroyWindow(taskbar);
}

INSTANTIATE_TEST_SUITE_P(Deaths, CrashGuard,
                         ::testing::Values("access-violation", "terminate"));

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--die") == 0) DieAfterHidingTheTaskbar(argv[2]);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

// A failure inside a window procedure cannot unwind through Windows; the message loop
// that dispatched the message raises it again, so that it reaches the start procedure's
// handler instead of being lost.
#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>

#include "backends/windows/windows_backends.h"
#include "backends/windows/window_failure.h"

namespace {

constexpr UINT FailMessage = WM_APP + 1;

LRESULT CALLBACK FailingProcedure(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == FailMessage) {
        try {
            throw std::runtime_error("failed inside the window procedure");
        } catch (...) {
            platform::KeepWindowFailure(std::current_exception());
        }
        return 0;
    }
    return DefWindowProcA(window, message, w, l);
}

HWND CreateVisibleWindow() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = FailingProcedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "KelvoraFailingWindow";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "KelvoraFailingWindow", "failing", WS_OVERLAPPEDWINDOW, 0, 0,
                                  100, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    return window;
}

TEST(WindowFailureTest, TheMessageLoopRaisesAFailureKeptByAWindowProcedure) {
    auto toolkit = platform::NewWin32Toolkit();
    HWND window = CreateVisibleWindow();
    // Should the loop not raise the failure, the window goes after a while and the loop
    // returns, so that the test fails instead of hanging.
    SetTimer(window, 1, 5000, [](HWND expired, UINT, UINT_PTR, DWORD) { DestroyWindow(expired); });
    PostMessageA(window, FailMessage, 0, 0);
    EXPECT_THROW(
        {
            try {
                toolkit->RunWhileWindowsOpen();
            } catch (const std::runtime_error& failure) {
                EXPECT_STREQ(failure.what(), "failed inside the window procedure");
                throw;
            }
        },
        std::runtime_error);
    if (IsWindow(window)) DestroyWindow(window);
}

TEST(WindowFailureTest, AKeptFailureIsRaisedOnlyOnce) {
    platform::KeepWindowFailure(std::make_exception_ptr(std::runtime_error("once")));
    EXPECT_THROW(platform::RethrowWindowFailure(), std::runtime_error);
    EXPECT_NO_THROW(platform::RethrowWindowFailure());
}

}  // namespace

// The WGL backend as the input record and the toolkit's pump meet it: each keyboard,
// mouse and focus message stands for the record's event of the same meaning, the saver
// window's messages reach the display's record, and a failure in the close handler is
// carried across DispatchMessage. What the record makes of its events is tested on its
// own.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "backends/backends.h"
#include "backends/windows/win32_input.h"
#include "backends/windows/windows_backends.h"
#include "common/runtime_error.h"
#include "seams/display.h"

namespace {

struct Message {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

// The window the test's messages are for, as the input record names it.
constexpr std::intptr_t kWindow = 0x5A7E;
// lParam bit 30: the key was already down.
constexpr LPARAM kFreshPress = 1;
constexpr LPARAM kAlreadyDown = 1 | (1 << 30);

TEST(WglInputFeed, EachMessageFeedsTheRecordWhatItStandsFor) {
    using Expect = void (*)(InputRecord&);
    struct Case {
        const char* name;
        std::vector<Message> messages;
        // Feeds a fresh record what those messages stand for.
        Expect expected;
    } cases[] = {
        {"a key pressed", {{WM_KEYDOWN, 'A', kFreshPress}}, [](InputRecord& r) { r.KeyDown('A', false); }},
        {"a system key pressed", {{WM_SYSKEYDOWN, VK_F10, kFreshPress}},
         [](InputRecord& r) { r.KeyDown(VK_F10, false); }},
        {"a key already down", {{WM_KEYDOWN, 'A', kAlreadyDown}}, [](InputRecord& r) { r.KeyDown('A', true); }},
        {"keys let go", {{WM_KEYDOWN, 'B', kFreshPress}, {WM_KEYUP, 'B', 0}, {WM_SYSKEYDOWN, VK_F10, kFreshPress},
                         {WM_SYSKEYUP, VK_F10, 0}},
         [](InputRecord& r) {
             r.KeyDown('B', false);
             r.KeyUp('B');
             r.KeyDown(VK_F10, false);
             r.KeyUp(VK_F10);
         }},
        {"the window losing the keyboard", {{WM_KEYDOWN, 'C', kFreshPress}, {WM_KILLFOCUS, 0, 0}},
         [](InputRecord& r) {
             r.KeyDown('C', false);
             r.FocusLost();
         }},
        {"a motion, also to the left of the client area", {{WM_MOUSEMOVE, 0, MAKELPARAM(-3, 34)}},
         [](InputRecord& r) { r.Motion(kWindow, -3, 34); }},
        {"the three buttons, down and up",
         {{WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 2)}, {WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(3, 4)},
          {WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(5, 6)}, {WM_RBUTTONUP, 0, MAKELPARAM(7, 8)},
          {WM_LBUTTONUP, 0, MAKELPARAM(9, 10)}, {WM_MBUTTONUP, 0, MAKELPARAM(11, 12)},
          {WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(13, 14)}},
         [](InputRecord& r) {
             r.Button(MouseButton::Left, true, kWindow, 1, 2);
             r.Button(MouseButton::Right, true, kWindow, 3, 4);
             r.Button(MouseButton::Middle, true, kWindow, 5, 6);
             r.Button(MouseButton::Right, false, kWindow, 7, 8);
             r.Button(MouseButton::Left, false, kWindow, 9, 10);
             r.Button(MouseButton::Middle, false, kWindow, 11, 12);
             r.Button(MouseButton::Middle, true, kWindow, 13, 14);
         }},
        {"the wheel, in notches",
         {{WM_MOUSEWHEEL, MAKEWPARAM(0, 2 * WHEEL_DELTA), 0}, {WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0}},
         [](InputRecord& r) {
             r.Wheel(2);
             r.Wheel(-1);
         }},
        {"other messages", {{WM_SETFOCUS, 0, 0}, {WM_CHAR, 'a', kFreshPress}}, [](InputRecord&) {}},
    };
    for (const auto& c : cases) {
        InputRecord fed, expected;
        for (const Message& m : c.messages) platform::FeedWin32Input(reinterpret_cast<HWND>(kWindow), m.message, m.wParam, m.lParam, fed);
        c.expected(expected);
        EXPECT_TRUE(fed == expected) << c.name;
    }
}

class WglInput : public testing::Test {
protected:
    void SetUp() override {
        backends_ = platform::InstallPlatformBackends(0, nullptr);
        handle_ = saver::SaverWindows().Create([this] { onClose_(); });
        window_ = reinterpret_cast<HWND>(handle_);
        saver::SaverWindows().Show(handle_);
    }
    void TearDown() override { saver::SaverWindows().Destroy(handle_); }

    std::function<void()> onClose_ = [] {};
    platform::WindowHandle handle_ = 0;
    HWND window_ = nullptr;
    std::unique_ptr<platform::PlatformBackends> backends_;
};

TEST_F(WglInput, TheSaverWindowsMessagesReachTheDisplaysRecord) {
    InputRecord& record = platform::Screen().Input();
    SendMessageA(window_, WM_KEYDOWN, VK_ESCAPE, kFreshPress);
    SendMessageA(window_, WM_KEYUP, VK_ESCAPE, 0);
    SendMessageA(window_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 50));
    EXPECT_EQ(record.LastKeyPress().lastKey, VK_ESCAPE);
    EXPECT_TRUE(record.IsKeyDown(VK_ESCAPE));
    EXPECT_EQ(record.Mouse().x, 40);
    EXPECT_EQ(record.Mouse().y, 50);
    EXPECT_TRUE(record.Mouse().left);
    SendMessageA(window_, WM_LBUTTONUP, 0, MAKELPARAM(40, 50));
}

TEST_F(WglInput, AFailureInTheCloseHandlerReachesWhoeverPumpsTheEvents) {
    onClose_ = [] { throw RuntimeError(ErrorCode::InvalidArgument, "unload failed"); };
    PostMessageA(window_, WM_CLOSE, 0, 0);
    auto toolkit = platform::NewWin32Toolkit();
    EXPECT_THROW(toolkit->DoEvents(), RuntimeError);
    EXPECT_TRUE(IsWindow(window_));
}

}  // namespace

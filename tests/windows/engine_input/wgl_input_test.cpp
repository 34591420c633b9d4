// The WGL backend as the engine's input object and the toolkit's pump meet it: keys and
// mouse from the saver window's messages, and a failure in the close handler carried
// across DispatchMessage.
#include <windows.h>

#include <gtest/gtest.h>

#include "common/runtime_error.h"
#include "engine/gl_engine_objects.h"
#include "seams/display.h"
#include "backends/backends.h"
#include "backends/windows/windows_backends.h"

namespace {

class WglInput : public testing::Test {
protected:
    void SetUp() override {
        backends_ = platform::InstallPlatformBackends(0, nullptr);
        handle_ = saver::SaverWindows().Create([this] { onClose_(); });
        window_ = reinterpret_cast<HWND>(handle_);
        saver::SaverWindows().Show(handle_);
    }
    void TearDown() override { saver::SaverWindows().Destroy(handle_); }

    std::int32_t LastKey(saver::Input& input, Flag& pressed) {
        std::int32_t key = -1;
        input.GetLastKey(key, pressed);
        return key;
    }

    std::function<void()> onClose_ = [] {};
    platform::WindowHandle handle_ = 0;
    HWND window_ = nullptr;
    std::unique_ptr<platform::PlatformBackends> backends_;
    engine::GlEngineObjects engines_;
};

// lParam bit 30: the key was already down.
constexpr LPARAM kFreshPress = 1;
constexpr LPARAM kAlreadyDown = 1 | (1 << 30);

TEST_F(WglInput, AKeyAlreadyDownOrRepeatingIsNoFreshPress) {
    auto input = engines_.NewInput();
    SendMessageA(window_, WM_KEYDOWN, 'A', kAlreadyDown);
    Flag pressed = True;
    EXPECT_EQ(LastKey(*input, pressed), 0);
    EXPECT_EQ(pressed, False);
    EXPECT_EQ(input->IsKeyPressed(0), False);
    SendMessageA(window_, WM_KEYUP, 'A', 0);
}

TEST_F(WglInput, TheMostRecentFreshPressIsTheLastKeyWhileHeldAndAfter) {
    auto input = engines_.NewInput();
    Flag pressed = False;
    SendMessageA(window_, WM_KEYDOWN, 'B', kFreshPress);
    SendMessageA(window_, WM_KEYDOWN, VK_ESCAPE, kFreshPress);
    EXPECT_EQ(LastKey(*input, pressed), VK_ESCAPE);
    EXPECT_EQ(pressed, True);
    SendMessageA(window_, WM_KEYUP, VK_ESCAPE, 0);
    EXPECT_EQ(LastKey(*input, pressed), VK_ESCAPE);
    EXPECT_EQ(pressed, False);
    EXPECT_EQ(input->IsKeyPressed('B'), True);
    SendMessageA(window_, WM_KEYUP, 'B', 0);
    EXPECT_EQ(input->IsKeyPressed('B'), False);
}

TEST_F(WglInput, TheMouseIsReportedInDisplayPixelsWithItsButtons) {
    auto engine = engines_.NewEngine();
    auto input = engines_.NewInput();
    engine->StartFullscreenDisplay(800, 600, 32, True, True, 0, 1.0f, handle_);
    platform::PixelSize size = platform::Screen().DrawableSize(handle_);
    SendMessageA(window_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(size.width / 2, size.height / 2));
    std::int32_t x = -1, y = -1, wheel = 0;
    Flag left = False, right = True, middle = True;
    input->GetMouseState(x, y, left, right, middle, wheel);
    EXPECT_EQ(x, 400);
    EXPECT_EQ(y, 300);
    EXPECT_EQ(left, True);
    EXPECT_EQ(right, False);
    EXPECT_EQ(middle, False);
    SendMessageA(window_, WM_LBUTTONUP, 0, MAKELPARAM(0, 0));
    input->GetMouseState(x, y, left, right, middle, wheel);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(left, False);
    engine->ShutDown();
}

TEST_F(WglInput, AFailureInTheCloseHandlerReachesWhoeverPumpsTheEvents) {
    onClose_ = [] { throw RuntimeError(ErrorCode::InvalidArgument, "unload failed"); };
    PostMessageA(window_, WM_CLOSE, 0, 0);
    auto toolkit = platform::NewWin32Toolkit();
    EXPECT_THROW(toolkit->DoEvents(), RuntimeError);
    EXPECT_TRUE(IsWindow(window_));
}

}  // namespace

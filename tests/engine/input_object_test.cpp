// The engine's input object over the input record: the last key counts only presses made
// since the object was created, asking for the last key does not use up a tap that the
// key-down query must still see, and the wheel reports its movement since the previous
// call.
#include <gtest/gtest.h>

#include "engine/gl_engine_objects.h"
#include "support/scripted_display.h"
#include "seams/display.h"

namespace {

class InputObject : public testing::Test {
protected:
    void SetUp() override { platform::Screen.Install(display_); }
    void TearDown() override { platform::Screen.Clear(); }

    std::int32_t LastKey(saver::Input& input, Flag& held) {
        std::int32_t key = -1;
        input.GetLastKey(key, held);
        return key;
    }

    enginetest::ScriptedDisplay display_;
    InputRecord& record_ = display_.record;
    engine::GlEngineObjects engines_;
};

constexpr std::int32_t A = 4, B = 5;

TEST_F(InputObject, APressBeforeTheObjectWasMadeIsNoLastKey) {
    record_.KeyDown(A, false);
    auto input = engines_.NewInput();
    Flag held = True;
    EXPECT_EQ(LastKey(*input, held), 0);
    EXPECT_EQ(held, False);
    EXPECT_EQ(input->IsKeyPressed(0), False);
    record_.KeyDown(B, false);
    EXPECT_EQ(LastKey(*input, held), B);
    EXPECT_EQ(held, True);
}

TEST_F(InputObject, ATapIsTheLastKeyAndDownOnceThoughAskingForItSaysNotHeld) {
    auto input = engines_.NewInput();
    record_.KeyDown(A, false);
    record_.KeyUp(A);
    Flag held = True;
    EXPECT_EQ(LastKey(*input, held), A);
    EXPECT_EQ(held, False);
    EXPECT_EQ(input->IsKeyPressed(A), True);
    EXPECT_EQ(input->IsKeyPressed(A), False);
}

TEST_F(InputObject, TheWheelReportsItsMovementSinceThePreviousCall) {
    record_.Wheel(5);
    auto input = engines_.NewInput();
    record_.Wheel(2);
    std::int32_t x, y, movement;
    Flag b1, b2, b3;
    input->GetMouseState(x, y, b1, b2, b3, movement);
    EXPECT_EQ(movement, 2);
    input->GetMouseState(x, y, b1, b2, b3, movement);
    EXPECT_EQ(movement, 0);
}

}  // namespace

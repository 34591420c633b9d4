// The input object's keyboard as the SDL backend's events feed it: the last key is the
// most recent fresh press since the object was made, 0 when none, and key 0 is never down.
#include <gtest/gtest.h>

#include <SDL2/SDL.h>

#include "engine/gl_engine_objects.h"
#include "backends/linux/event_pump.h"
#include "backends/linux/linux_backends.h"

namespace {

// The SDL backend, whose event handler these tests feed, as the engine's display.
const auto sdlDisplay = [] {
    auto display = platform::NewSdlDisplay();
    platform::Screen.Install(*display);
    return display;
}();

void Key(SDL_Scancode code, bool down, bool repeat = false) {
    SDL_Event event{};
    event.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    event.key.keysym.scancode = code;
    event.key.repeat = repeat ? 1 : 0;
    platform::HandleSdlEvent(event);
}

std::int32_t LastKey(saver::Input& input, Flag& pressed) {
    std::int32_t key = -1;
    input.GetLastKey(key, pressed);
    return key;
}

TEST(InputKeys, AKeyHeldWhenTheInputIsMadeDoesNotCount) {
    engine::GlEngineObjects engines;
    Key(SDL_SCANCODE_A, true);
    auto input = engines.NewInput();
    Flag pressed = True;
    Key(SDL_SCANCODE_A, true, true);  // its auto-repeat
    EXPECT_EQ(LastKey(*input, pressed), 0);
    EXPECT_EQ(pressed, False);
    EXPECT_EQ(input->IsKeyPressed(0), False);
    Key(SDL_SCANCODE_A, false);
}

TEST(InputKeys, TheMostRecentFreshPressIsTheLastKeyAndSaysWhetherItIsHeld) {
    engine::GlEngineObjects engines;
    auto input = engines.NewInput();
    Flag pressed = False;
    Key(SDL_SCANCODE_B, true);
    Key(SDL_SCANCODE_C, true);
    EXPECT_EQ(LastKey(*input, pressed), SDL_SCANCODE_C);
    EXPECT_EQ(pressed, True);
    EXPECT_EQ(input->IsKeyPressed(SDL_SCANCODE_B), True);
    Key(SDL_SCANCODE_C, false);
    EXPECT_EQ(LastKey(*input, pressed), SDL_SCANCODE_C);
    EXPECT_EQ(pressed, False);
    EXPECT_EQ(input->IsKeyPressed(SDL_SCANCODE_C), False);
    Key(SDL_SCANCODE_B, false);
}

TEST(InputKeys, TheMouseWheelReportsItsMovementSinceThePreviousCall) {
    engine::GlEngineObjects engines;
    auto input = engines.NewInput();
    SDL_Event wheel{};
    wheel.type = SDL_MOUSEWHEEL;
    wheel.wheel.y = 2;
    platform::HandleSdlEvent(wheel);
    std::int32_t x, y, movement;
    Flag b1, b2, b3;
    input->GetMouseState(x, y, b1, b2, b3, movement);
    EXPECT_EQ(movement, 2);
    input->GetMouseState(x, y, b1, b2, b3, movement);
    EXPECT_EQ(movement, 0);
}

}  // namespace

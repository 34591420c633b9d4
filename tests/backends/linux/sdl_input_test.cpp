// The SDL backend feeds the input record: each SDL event stands for the record's event of
// the same meaning, and the event pump's events reach the display's record. What the
// record makes of its events is tested on its own.
#include <gtest/gtest.h>

#include <SDL2/SDL.h>

#include <memory>
#include <vector>

#include "backends/linux/display_sdl.h"
#include "backends/linux/sdl_input.h"
#include "backends/linux/sdl_video.h"

namespace {

SDL_Event Key(Uint32 type, SDL_Scancode code, bool repeat = false) {
    SDL_Event event{};
    event.type = type;
    event.key.keysym.scancode = code;
    event.key.repeat = repeat ? 1 : 0;
    return event;
}

SDL_Event Motion(int x, int y) {
    SDL_Event event{};
    event.type = SDL_MOUSEMOTION;
    event.motion.x = x;
    event.motion.y = y;
    return event;
}

SDL_Event Button(Uint32 type, Uint8 button, int x, int y) {
    SDL_Event event{};
    event.type = type;
    event.button.button = button;
    event.button.x = x;
    event.button.y = y;
    return event;
}

SDL_Event Wheel(int notches) {
    SDL_Event event{};
    event.type = SDL_MOUSEWHEEL;
    event.wheel.y = notches;
    return event;
}

SDL_Event Window(SDL_WindowEventID id) {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.event = id;
    return event;
}

TEST(SdlInput, EachEventFeedsTheRecordWhatItStandsFor) {
    using Expect = void (*)(InputRecord&);
    struct Case {
        const char* name;
        std::vector<SDL_Event> events;
        // Feeds a fresh record what those events stand for.
        Expect expected;
    } cases[] = {
        {"a key pressed", {Key(SDL_KEYDOWN, SDL_SCANCODE_A)},
         [](InputRecord& r) { r.KeyDown(SDL_SCANCODE_A, false); }},
        {"a key's auto-repeat", {Key(SDL_KEYDOWN, SDL_SCANCODE_A, true)},
         [](InputRecord& r) { r.KeyDown(SDL_SCANCODE_A, true); }},
        {"a key let go", {Key(SDL_KEYDOWN, SDL_SCANCODE_B), Key(SDL_KEYUP, SDL_SCANCODE_B)},
         [](InputRecord& r) {
             r.KeyDown(SDL_SCANCODE_B, false);
             r.KeyUp(SDL_SCANCODE_B);
         }},
        {"the window losing the keyboard",
         {Key(SDL_KEYDOWN, SDL_SCANCODE_C), Window(SDL_WINDOWEVENT_FOCUS_LOST)},
         [](InputRecord& r) {
             r.KeyDown(SDL_SCANCODE_C, false);
             r.FocusLost();
         }},
        {"a motion", {Motion(12, 34)}, [](InputRecord& r) { r.Motion(0, 12, 34); }},
        {"the three buttons, down and up",
         {Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 1, 2), Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_RIGHT, 3, 4),
          Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE, 5, 6), Button(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 7, 8)},
         [](InputRecord& r) {
             r.Button(MouseButton::Left, true, 0, 1, 2);
             r.Button(MouseButton::Right, true, 0, 3, 4);
             r.Button(MouseButton::Middle, true, 0, 5, 6);
             r.Button(MouseButton::Right, false, 0, 7, 8);
         }},
        {"a fourth button only moves the pointer", {Button(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_X1, 9, 10)},
         [](InputRecord& r) { r.Motion(0, 9, 10); }},
        {"the wheel", {Wheel(2), Wheel(-5)},
         [](InputRecord& r) {
             r.Wheel(2);
             r.Wheel(-5);
         }},
        {"other window events", {Window(SDL_WINDOWEVENT_FOCUS_GAINED), Window(SDL_WINDOWEVENT_EXPOSED)},
         [](InputRecord&) {}},
    };
    for (const auto& c : cases) {
        InputRecord fed, expected;
        for (const SDL_Event& event : c.events) platform::FeedSdlInput(event, fed);
        c.expected(expected);
        EXPECT_TRUE(fed == expected) << c.name;
    }
}

TEST(SdlInput, TheVideosEventsReachTheDisplaysRecord) {
    auto video = std::make_shared<platform::SdlVideo>(std::make_shared<platform::XConnection>());
    auto display = platform::NewSdlDisplay(video);
    InputRecord& record = display->Input();
    video->HandleEvent(Key(SDL_KEYDOWN, SDL_SCANCODE_D));
    video->HandleEvent(Key(SDL_KEYUP, SDL_SCANCODE_D));
    video->HandleEvent(Motion(40, 50));
    EXPECT_EQ(record.LastKeyPress().lastKey, SDL_SCANCODE_D);
    EXPECT_TRUE(record.IsKeyDown(SDL_SCANCODE_D));
    EXPECT_EQ(record.Mouse().x, 40);
    EXPECT_EQ(record.Mouse().y, 50);
}

}  // namespace

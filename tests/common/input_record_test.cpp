// The input record that both display backends feed: which keys are held, freshly pressed
// or tapped between two key-down queries, and where the mouse, its buttons and its wheel
// are after a run of events.
#include <gtest/gtest.h>

#include <vector>

#include "common/input_record.h"

namespace {

constexpr std::int32_t A = 4, B = 5, C = 6;

enum class Act { Press, Repeat, Release, LoseFocus, AskDown, AskHeld };

// One event fed to the record, or one question with the answer it must give.
struct KeyStep {
    Act act;
    std::int32_t key;
    bool answer = false;
};

TEST(InputRecord, KeysAnswerAsTheirEventsLeftThem) {
    struct Case {
        const char* name;
        std::vector<KeyStep> steps;
        KeyPresses last;
    } cases[] = {
        {"a held key is down at every query and held until released",
         {{Act::Press, A}, {Act::AskDown, A, true}, {Act::AskDown, A, true}, {Act::AskHeld, A, true},
          {Act::Release, A}, {Act::AskDown, A, false}, {Act::AskHeld, A, false}},
         {A, 1}},
        {"a tap between two queries is down once, never held",
         {{Act::AskDown, A, false}, {Act::Press, A}, {Act::Release, A}, {Act::AskHeld, A, false},
          {Act::AskDown, A, true}, {Act::AskDown, A, false}},
         {A, 1}},
        {"a query about another key ends the tap's interval",
         {{Act::Press, A}, {Act::Release, A}, {Act::AskDown, B, false}, {Act::AskDown, A, false}},
         {A, 1}},
        {"two taps between queries: each is down at the next query",
         {{Act::Press, B}, {Act::Release, B}, {Act::Press, C}, {Act::Release, C},
          {Act::AskDown, C, true}},
         {C, 2}},
        {"an auto-repeat or a key already down is held, but no fresh press",
         {{Act::Repeat, A}, {Act::AskHeld, A, true}, {Act::AskDown, A, true}, {Act::Release, A},
          {Act::AskDown, A, false}},
         {0, 0}},
        {"a repeat released between queries is no tap",
         {{Act::Repeat, A}, {Act::Release, A}, {Act::AskDown, A, false}},
         {0, 0}},
        {"the last key is the most recent fresh press, not a later repeat",
         {{Act::Press, B}, {Act::Press, C}, {Act::Repeat, B}, {Act::Release, C},
          {Act::AskHeld, B, true}, {Act::AskHeld, C, false}},
         {C, 2}},
        {"key 0 is never down, held or pressed",
         {{Act::Press, 0}, {Act::AskHeld, 0, false}, {Act::AskDown, 0, false}},
         {0, 0}},
        {"losing the focus lets held keys go but keeps a fresh press for the next query",
         {{Act::Press, A}, {Act::Press, B}, {Act::AskDown, B, true}, {Act::LoseFocus, 0},
          {Act::AskHeld, A, false}, {Act::AskHeld, B, false}, {Act::AskDown, B, false}},
         {B, 2}},
        {"a fresh press outlasts the loss of focus until the next query",
         {{Act::Press, A}, {Act::LoseFocus, 0}, {Act::AskDown, A, true}, {Act::AskDown, A, false}},
         {A, 1}},
    };
    for (const auto& c : cases) {
        InputRecord record;
        int stepNumber = 0;
        for (const KeyStep& step : c.steps) {
            ++stepNumber;
            switch (step.act) {
            case Act::Press:
                record.KeyDown(step.key, false);
                break;
            case Act::Repeat:
                record.KeyDown(step.key, true);
                break;
            case Act::Release:
                record.KeyUp(step.key);
                break;
            case Act::LoseFocus:
                record.FocusLost();
                break;
            case Act::AskDown:
                EXPECT_EQ(record.IsKeyDown(step.key), step.answer) << c.name << ", step " << stepNumber;
                break;
            case Act::AskHeld:
                EXPECT_EQ(record.IsHeld(step.key), step.answer) << c.name << ", step " << stepNumber;
                break;
            }
        }
        EXPECT_EQ(record.LastKeyPress().lastKey, c.last.lastKey) << c.name;
        EXPECT_EQ(record.LastKeyPress().presses, c.last.presses) << c.name;
    }
}

TEST(InputRecord, TheMouseIsWhereItsLastEventPutIt) {
    using Feed = void (*)(InputRecord&);
    struct Case {
        const char* name;
        std::vector<Feed> events;
        MouseState expected;
    } cases[] = {
        {"nothing yet", {}, {}},
        {"a motion moves it, into the window it names",
         {[](InputRecord& r) { r.Motion(7, 10, 20); }, [](InputRecord& r) { r.Motion(9, -3, 700); }},
         {9, -3, 700}},
        {"a button press moves it too, and holds the button",
         {[](InputRecord& r) { r.Motion(0, 10, 20); },
          [](InputRecord& r) { r.Button(MouseButton::Left, true, 7, 5, 6); }},
         {7, 5, 6, true}},
        {"each button on its own",
         {[](InputRecord& r) { r.Button(MouseButton::Left, true, 0, 1, 1); },
          [](InputRecord& r) { r.Button(MouseButton::Right, true, 0, 2, 2); },
          [](InputRecord& r) { r.Button(MouseButton::Middle, true, 0, 3, 3); },
          [](InputRecord& r) { r.Button(MouseButton::Left, false, 0, 4, 4); }},
         {0, 4, 4, false, true, true}},
        {"the wheel's notches add up, either way",
         {[](InputRecord& r) { r.Wheel(2); }, [](InputRecord& r) { r.Wheel(-3); }},
         {0, 0, 0, false, false, false, -1}},
        {"losing the focus leaves the mouse alone",
         {[](InputRecord& r) { r.Button(MouseButton::Right, true, 0, 8, 9); },
          [](InputRecord& r) { r.FocusLost(); }},
         {0, 8, 9, false, true}},
    };
    for (const auto& c : cases) {
        InputRecord record;
        for (Feed feed : c.events) feed(record);
        MouseState mouse = record.Mouse();
        EXPECT_EQ(mouse.window, c.expected.window) << c.name;
        EXPECT_EQ(mouse.x, c.expected.x) << c.name;
        EXPECT_EQ(mouse.y, c.expected.y) << c.name;
        EXPECT_EQ(mouse.left, c.expected.left) << c.name;
        EXPECT_EQ(mouse.right, c.expected.right) << c.name;
        EXPECT_EQ(mouse.middle, c.expected.middle) << c.name;
        EXPECT_EQ(mouse.wheelTotal, c.expected.wheelTotal) << c.name;
    }
}

}  // namespace

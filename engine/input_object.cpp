// The input object: the mouse in display pixels and the keyboard, read from the input
// record that the platform's window events feed.
#include "engine/object_factories.h"
#include "seams/display.h"

namespace engine {

namespace {

InputRecord& Record() { return platform::Screen().Input(); }

class GlInput : public saver::Input {
public:
    explicit GlInput(SharedState state)
        : state_(std::move(state)),
          pressesAtStart_(Record().LastKeyPress().presses),
          wheelSeen_(Record().Mouse().wheelTotal) {}

    void GetMouseState(std::int32_t& x, std::int32_t& y, Flag& button1, Flag& button2, Flag& button3,
                       std::int32_t& wheel) override {
        MouseState mouse = Record().Mouse();
        int displayX = mouse.x, displayY = mouse.y;
        state_->display.ToDisplayPixels(mouse.window, displayX, displayY);
        x = displayX;
        y = displayY;
        button1 = ToFlag(mouse.left);
        button2 = ToFlag(mouse.right);
        button3 = ToFlag(mouse.middle);
        wheel = mouse.wheelTotal - wheelSeen_;
        wheelSeen_ = mouse.wheelTotal;
    }

    void GetLastKey(std::int32_t& key, Flag& pressed) override {
        KeyPresses keys = Record().LastKeyPress();
        key = keys.presses > pressesAtStart_ ? keys.lastKey : 0;
        pressed = ToFlag(Record().IsHeld(key));
    }

    Flag IsKeyPressed(std::int32_t key) override { return ToFlag(Record().IsKeyDown(key)); }

private:
    SharedState state_;
    std::uint64_t pressesAtStart_;
    int wheelSeen_;
};

}  // namespace

std::shared_ptr<saver::Input> MakeInput(SharedState state) { return std::make_shared<GlInput>(std::move(state)); }

}  // namespace engine

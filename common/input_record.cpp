// The input record's bookkeeping of keys, buttons, position and wheel.
#include "common/input_record.h"

namespace {

bool& ButtonOf(MouseState& mouse, MouseButton button) {
    switch (button) {
    case MouseButton::Left:
        return mouse.left;
    case MouseButton::Right:
        return mouse.right;
    case MouseButton::Middle:
        break;
    }
    return mouse.middle;
}

}  // namespace

void InputRecord::KeyDown(std::int32_t key, bool repeat) {
    if (key == 0) return;
    held_.insert(key);
    if (repeat) return;
    keys_.lastKey = key;
    ++keys_.presses;
    pressedSinceAsked_.insert(key);
}

void InputRecord::KeyUp(std::int32_t key) { held_.erase(key); }

void InputRecord::Button(MouseButton button, bool down, std::intptr_t window, int x, int y) {
    Motion(window, x, y);
    ButtonOf(mouse_, button) = down;
}

void InputRecord::Motion(std::intptr_t window, int x, int y) {
    mouse_.window = window;
    mouse_.x = x;
    mouse_.y = y;
}

void InputRecord::Wheel(int notches) { mouse_.wheelTotal += notches; }

void InputRecord::FocusLost() { held_.clear(); }

bool InputRecord::IsHeld(std::int32_t key) const { return key != 0 && held_.count(key) != 0; }

bool InputRecord::IsKeyDown(std::int32_t key) {
    bool down = IsHeld(key) || pressedSinceAsked_.count(key) != 0;
    pressedSinceAsked_.clear();
    return down;
}

std::optional<MouseButton> ToMouseButton(std::uint32_t code, const ButtonCodes& codes) {
    if (code == codes.left) return MouseButton::Left;
    if (code == codes.right) return MouseButton::Right;
    if (code == codes.middle) return MouseButton::Middle;
    return std::nullopt;
}

// The keyboard and mouse as the window system's events leave them: every display backend
// feeds its events into one record, and the engine's input object reads it.
#pragma once
#include <cstdint>
#include <optional>
#include <unordered_set>

// The mouse as the events last reported it: the window it was over (the platform's
// handle; 0 before any event), position in that window's pixels, buttons held, and the
// wheel's notches summed since the record was made.
struct MouseState {
    std::intptr_t window = 0;
    int x = 0;
    int y = 0;
    bool left = false;
    bool right = false;
    bool middle = false;
    int wheelTotal = 0;

    bool operator==(const MouseState&) const = default;
};

enum class MouseButton { Left, Right, Middle };

// A window system's codes for its first three buttons; its other buttons are no buttons
// to the saver.
struct ButtonCodes {
    std::uint32_t left;
    std::uint32_t right;
    std::uint32_t middle;
};

// The saver's button for a window system's button code, none for any other button.
std::optional<MouseButton> ToMouseButton(std::uint32_t code, const ButtonCodes& codes);

// Key codes are the platform's own (Win32 virtual keys, SDL scancodes, Linux input codes
// from a Wayland seat); 0 is no key.
// presses counts the fresh presses since the record was made (auto-repeat does not
// count); lastKey is the key of the most recent one, 0 before the first.
struct KeyPresses {
    std::int32_t lastKey = 0;
    std::uint64_t presses = 0;

    bool operator==(const KeyPresses&) const = default;
};

class InputRecord {
public:
    // repeat: the window system says the key was already down (auto-repeat, or a key
    // held before the window had the keyboard); such a key is held but not freshly
    // pressed.
    void KeyDown(std::int32_t key, bool repeat);
    void KeyUp(std::int32_t key);
    // A button pressed (down) or let go, where the pointer was at that moment.
    void Button(MouseButton button, bool down, std::intptr_t window, int x, int y);
    void Motion(std::intptr_t window, int x, int y);
    void Wheel(int notches);
    // Keys let go while another window has the keyboard send no key-up here.
    void FocusLost();

    MouseState Mouse() const { return mouse_; }
    KeyPresses LastKeyPress() const { return keys_; }
    // Whether the key is held now; key 0 never is.
    bool IsHeld(std::int32_t key) const;
    // The key-down query: true while the key is held, and also when it was freshly
    // pressed since the previous call (whichever key that one asked about), so that a
    // press and release between two polls is not missed. Key 0 is never down.
    bool IsKeyDown(std::int32_t key);

    // Two records are equal when every answer they can give is the same.
    bool operator==(const InputRecord&) const = default;

private:
    MouseState mouse_;
    KeyPresses keys_;
    std::unordered_set<std::int32_t> held_;
    std::unordered_set<std::int32_t> pressedSinceAsked_;
};

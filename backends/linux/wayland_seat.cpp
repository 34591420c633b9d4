// Wayland's seat events to input-record events: keys by their Linux input codes (the
// compositor repeats none, and keys held as a surface gains the keyboard were down before
// it), only the first three buttons are buttons, and the wheel counts whole notches.
#include "backends/linux/wayland_seat.h"

#include <linux/input-event-codes.h>
#include <unistd.h>

#include <chrono>
#include <utility>

namespace platform {

namespace {

WaylandSeat& SeatOf(void* data) { return *static_cast<WaylandSeat*>(data); }

constexpr ButtonCodes kLinuxButtons{BTN_LEFT, BTN_RIGHT, BTN_MIDDLE};

}  // namespace

const wl_seat_listener WaylandSeat::seatListener_ = {
    [](void* data, wl_seat*, uint32_t capabilities) { SeatOf(data).TakeDevices(capabilities); },
    [](void*, wl_seat*, const char*) {},
};

const wl_pointer_listener WaylandSeat::pointerListener_ = {
    [](void* data, wl_pointer*, uint32_t serial, wl_surface* surface, wl_fixed_t x, wl_fixed_t y) {
        SeatOf(data).Entered(serial, surface, x, y);
    },
    [](void* data, wl_pointer*, uint32_t, wl_surface*) { SeatOf(data).over_ = {}; },
    [](void* data, wl_pointer*, uint32_t, wl_fixed_t x, wl_fixed_t y) { SeatOf(data).Moved(x, y); },
    [](void* data, wl_pointer*, uint32_t, uint32_t, uint32_t code, uint32_t state) {
        WaylandSeat& seat = SeatOf(data);
        if (!seat.over_.window) return;
        if (auto button = ToMouseButton(code, kLinuxButtons))
            seat.input_.Button(*button, state == WL_POINTER_BUTTON_STATE_PRESSED, seat.over_.window, seat.x_, seat.y_);
        else
            seat.input_.Motion(seat.over_.window, seat.x_, seat.y_);
    },
    // axis: the notches come whole in axis_discrete below.
    [](void*, wl_pointer*, uint32_t, uint32_t, wl_fixed_t) {},
    // frame: one wheel movement however many events told it.
    [](void* data, wl_pointer*) {
        WaylandSeat& seat = SeatOf(data);
        if (seat.notches_) seat.input_.Wheel(seat.notches_);
        seat.notches_ = 0;
    },
    [](void*, wl_pointer*, uint32_t) {},
    [](void*, wl_pointer*, uint32_t, uint32_t) {},
    // Wayland counts a turn towards the user as positive; the record, as away from them.
    [](void* data, wl_pointer*, uint32_t axis, int32_t steps) {
        if (axis == WL_POINTER_AXIS_VERTICAL_SCROLL) SeatOf(data).notches_ -= steps;
    },
    [](void*, wl_pointer*, uint32_t, int32_t) {},
};

const wl_keyboard_listener WaylandSeat::keyboardListener_ = {
    // The key map is not needed: keys are told by their codes, not their symbols.
    [](void*, wl_keyboard*, uint32_t, int32_t fd, uint32_t) { close(fd); },
    [](void* data, wl_keyboard*, uint32_t, wl_surface* surface, wl_array* keys) {
        SeatOf(data).KeyboardEntered(surface, keys);
    },
    [](void* data, wl_keyboard*, uint32_t, wl_surface*) { SeatOf(data).KeyboardLeft(); },
    [](void* data, wl_keyboard*, uint32_t, uint32_t, uint32_t key, uint32_t state) {
        WaylandSeat& seat = SeatOf(data);
        if (state == WL_KEYBOARD_KEY_STATE_PRESSED)
            seat.input_.KeyDown(static_cast<std::int32_t>(key), false);
        else
            seat.input_.KeyUp(static_cast<std::int32_t>(key));
    },
    [](void*, wl_keyboard*, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t) {},
    [](void*, wl_keyboard*, int32_t, int32_t) {},
};

WaylandSeat::WaylandSeat(wl_seat* seat, InputRecord& input, std::function<SurfaceWindow(wl_surface*)> windowOf)
    : seat_(seat), input_(input), windowOf_(std::move(windowOf)) {
    wl_seat_add_listener(seat_, &seatListener_, this);
}

WaylandSeat::~WaylandSeat() {
    if (pointer_) wl_pointer_destroy(pointer_);
    if (keyboard_) wl_keyboard_destroy(keyboard_);
    wl_seat_destroy(seat_);
}

void WaylandSeat::TakeDevices(std::uint32_t capabilities) {
    if ((capabilities & WL_SEAT_CAPABILITY_POINTER) && !pointer_) {
        pointer_ = wl_seat_get_pointer(seat_);
        wl_pointer_add_listener(pointer_, &pointerListener_, this);
    }
    if ((capabilities & WL_SEAT_CAPABILITY_KEYBOARD) && !keyboard_) {
        keyboard_ = wl_seat_get_keyboard(seat_);
        wl_keyboard_add_listener(keyboard_, &keyboardListener_, this);
    }
}

// The pointer's first real position: where it entered, never a guess before that.
void WaylandSeat::Entered(std::uint32_t serial, wl_surface* surface, wl_fixed_t x, wl_fixed_t y) {
    enterSerial_ = serial;
    over_ = windowOf_(surface);
    Moved(x, y);
    HideIfAsked();
}

void WaylandSeat::KeyboardEntered(wl_surface* surface, wl_array* keys) {
    if (windowOf_(surface).window) keyboardGoneAt_ = -1;
    const auto* held = static_cast<const std::uint32_t*>(keys->data);
    for (std::size_t index = 0; index < keys->size / sizeof(std::uint32_t); ++index)
        input_.KeyDown(static_cast<std::int32_t>(held[index]), true);
}

void WaylandSeat::KeyboardLeft() {
    input_.FocusLost();
    keyboardGoneAt_ = std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

void WaylandSeat::Moved(wl_fixed_t x, wl_fixed_t y) {
    if (!over_.window) return;
    x_ = wl_fixed_to_int(x) * over_.scale;
    y_ = wl_fixed_to_int(y) * over_.scale;
    input_.Motion(over_.window, x_, y_);
}

void WaylandSeat::ShowCursor(bool visible) {
    cursorVisible_ = visible;
    HideIfAsked();
}

void WaylandSeat::HideIfAsked() {
    if (cursorVisible_ || !pointer_ || !over_.window) return;
    wl_pointer_set_cursor(pointer_, enterSerial_, nullptr, 0, 0);
}

}  // namespace platform

// The user's keyboard and pointer on Wayland, fed into the input record: keys by their
// Linux input codes, positions in the pixels of the surface the pointer is over.
#pragma once
#include <wayland-client.h>

#include <cstdint>
#include <functional>

#include "common/input_record.h"
#include "seams/display.h"

namespace platform {

class WaylandSeat {
public:
    // windowOf names the window a surface of ours is, with the factor its pixels are to
    // the compositor's; a surface that is not ours gives 0.
    struct SurfaceWindow {
        WindowHandle window = 0;
        int scale = 1;
    };
    WaylandSeat(wl_seat* seat, InputRecord& input, std::function<SurfaceWindow(wl_surface*)> windowOf);
    ~WaylandSeat();
    WaylandSeat(const WaylandSeat&) = delete;
    WaylandSeat& operator=(const WaylandSeat&) = delete;

    // Hides the pointer over our surfaces, now and whenever it enters one again; shown, it
    // is the compositor's own.
    void ShowCursor(bool visible);
    // When the keyboard, once on a surface of ours, last left them for another client's
    // (on the steady clock's seconds); negative while one of ours has it, or never had it.
    double KeyboardGoneSince() const { return keyboardGoneAt_; }

private:
    void TakeDevices(std::uint32_t capabilities);
    void Entered(std::uint32_t serial, wl_surface* surface, wl_fixed_t x, wl_fixed_t y);
    void Moved(wl_fixed_t x, wl_fixed_t y);
    void KeyboardEntered(wl_surface* surface, wl_array* keys);
    void KeyboardLeft();
    void HideIfAsked();

    static const wl_seat_listener seatListener_;
    static const wl_pointer_listener pointerListener_;
    static const wl_keyboard_listener keyboardListener_;

    wl_seat* seat_;
    InputRecord& input_;
    std::function<SurfaceWindow(wl_surface*)> windowOf_;
    wl_pointer* pointer_ = nullptr;
    wl_keyboard* keyboard_ = nullptr;
    // Where the pointer is: the surface it entered and the serial of that entry, which
    // setting its look needs.
    SurfaceWindow over_;
    std::uint32_t enterSerial_ = 0;
    int x_ = 0, y_ = 0;
    // Wheel steps of the current frame of pointer events, told as one.
    int notches_ = 0;
    bool cursorVisible_ = true;
    double keyboardGoneAt_ = -1;
};

}  // namespace platform

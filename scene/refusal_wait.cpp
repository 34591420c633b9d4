// After a set-up failure whose ending was stopped by a refused password there is no
// frame loop; this waits for the user's next key or mouse movement and ends again.
#include <cstdlib>

#include "host/ending.h"
#include "platform/toolkit.h"
#include "scene/frm_saver.h"

namespace {

constexpr std::int64_t Jitter = 3;

struct MousePosition {
    std::int32_t x = 0, y = 0;
};

MousePosition PollMouse(scene::Input& input) {
    MousePosition at;
    Flag button1 = False, button2 = False, button3 = False;
    std::int32_t wheel = 0;
    input.GetMouseState(at.x, at.y, button1, button2, button3, wheel);
    return at;
}

bool MovedFrom(const MousePosition& from, const MousePosition& to) {
    return std::llabs(static_cast<std::int64_t>(to.x) - from.x) > Jitter ||
           std::llabs(static_cast<std::int64_t>(to.y) - from.y) > Jitter;
}

bool KeyDown(scene::Input& input) {
    std::int32_t key = 0;
    Flag held = False;
    input.GetLastKey(key, held);
    return input.IsKeyPressed(key) != 0;
}

}  // namespace

void FrmSaver::WaitForUserAfterRefusal() {
    // The window stays open until the ending completes or the window system closes it.
    while (window_) {
        if (Input) {
            MousePosition start = PollMouse(*Input);
            do {
                platform::App().DoEvents();
            } while (window_ && Input && !KeyDown(*Input) && !MovedFrom(start, PollMouse(*Input)));
        } else {
            // Nothing to poll the user with: the password prompt itself waits for them.
            platform::App().DoEvents();
        }
        if (window_) mScreenSaver::EndSaver();
    }
    // A failed unload from outside has nobody above to tell; the process ends anyway.
    closeFailure_ = nullptr;
}

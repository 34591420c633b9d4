// Taps the space bar on the running saver's window with no hold: the key-down and the
// key-up are posted together, so both wait in the saver's queue for the same pass of its
// event pump, as a press and release between two frames do.
//
//   tap_key    exits 0 once both are posted, 1 when no saver window is open
#include <windows.h>

#include <cstdio>

int main() {
    HWND saver = FindWindowA("KelvoraSaverWindow", nullptr);
    if (!saver) {
        std::fprintf(stderr, "no saver window is open\n");
        return 1;
    }
    // lParam: one press, the space bar's scan code; the key-up also says the key was down
    // (bit 30) and is being let go (bit 31).
    const LPARAM press = 1 | (0x39 << 16);
    const LPARAM release = press | (LPARAM{1} << 30) | (LPARAM{1} << 31);
    bool posted = PostMessageA(saver, WM_KEYDOWN, VK_SPACE, press) &&
                  PostMessageA(saver, WM_KEYUP, VK_SPACE, release);
    return posted ? 0 : 1;
}

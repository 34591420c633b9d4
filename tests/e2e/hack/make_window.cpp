// A window of another program for the hack to draw into, as XScreenSaver makes one:
// make_window WIDTH HEIGHT prints the new window's id once it is mapped, then keeps the
// window until it is killed.
#include <X11/Xlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 3) return 2;
    Display* display = XOpenDisplay(nullptr);
    if (!display) return 1;
    Window window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, std::atoi(argv[1]),
                                        std::atoi(argv[2]), 0, 0, 0xFFFFFF);
    XSelectInput(display, window, ExposureMask);
    XMapWindow(display, window);
    XEvent event;
    do XNextEvent(display, &event);
    while (event.type != Expose);
    std::printf("0x%lx\n", window);
    std::fflush(stdout);
    for (;;) pause();
}

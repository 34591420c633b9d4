// Counts the frames an X display shows, from outside the programs that draw them, so that
// every program is counted alike: the X server's DAMAGE extension reports each drawing
// request that changes the screen. The benchmark runs one program at a time on a private
// display whose screen its window covers, so the root window, whose damage takes in every
// window on it, is watched.
//   kelvora_damage_frames FILE
// Creates FILE once it watches, then appends to it at each whole second after that the
// frames shown in that second, one number a line. Ends with the display or on a signal.
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <poll.h>

#include <cstdio>
#include <ctime>

namespace {

double Now() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec + now.tv_nsec / 1e9;
}

// Splits what the display shows into frames. A program presents a frame with one request
// (a GL swap or copy: one image put), but Xlib cuts an image larger than the largest
// request, as a 4K frame not sent through shared memory is, into bands from the top down:
// a request that starts at the previous one's bottom edge, as wide and at the same x,
// carries on the previous frame. The server reports one request's changed area in one or
// more events, the last of which says no more follow.
class FrameSplitter {
public:
    // True when the event begins a new frame.
    bool BeginsFrame(const XDamageNotifyEvent& event) {
        bool begins = !inRequest_ && !ContinuesBand(event.area);
        inRequest_ = event.more;
        previous_ = event.area;
        return begins;
    }

private:
    bool ContinuesBand(const XRectangle& area) const {
        return area.x == previous_.x && area.width == previous_.width && area.y == previous_.y + previous_.height;
    }

    bool inRequest_ = false;
    XRectangle previous_{};
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FILE\n", argv[0]);
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "%s: cannot open the display\n", argv[0]);
        return 1;
    }
    int damageEvent = 0, damageError = 0;
    if (!XDamageQueryExtension(display, &damageEvent, &damageError)) {
        std::fprintf(stderr, "%s: the display has no DAMAGE extension\n", argv[0]);
        return 1;
    }
    // Raw rectangles: an event for every request, whether or not the area was damaged
    // already, so nothing needs subtracting between frames.
    XDamageCreate(display, DefaultRootWindow(display), XDamageReportRawRectangles);
    XSync(display, False);
    std::FILE* out = std::fopen(argv[1], "w");
    if (!out) {
        std::perror(argv[1]);
        return 1;
    }
    FrameSplitter splitter;
    long frames = 0;
    double nextSecond = Now() + 1;
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    for (;;) {
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == damageEvent + XDamageNotify &&
                splitter.BeginsFrame(*reinterpret_cast<XDamageNotifyEvent*>(&event)))
                ++frames;
        }
        double now = Now();
        if (now >= nextSecond) {
            std::fprintf(out, "%ld\n", frames);
            std::fflush(out);
            frames = 0;
            nextSecond += 1;
            continue;
        }
        // A lost display wakes the poll too; XPending then ends the program.
        poll(&connection, 1, static_cast<int>((nextSecond - now) * 1000) + 1);
    }
}

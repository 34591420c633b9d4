#include "backends/linux/x_error_handlers.h"

#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <utility>

#include "common/event_note.h"

namespace platform {

namespace {

// Read and written from inside Xlib, which calls the handler with no object to hand it,
// and by the windows and the event pump on the same thread.
std::set<unsigned long> watchedWindows;
std::optional<std::string> refusal;

int NoteDrawingFailure(Display* display, XErrorEvent* error) {
    bool missing = error->error_code == BadWindow || error->error_code == BadDrawable;
    if (missing && watchedWindows.count(error->resourceid)) {
        NoteEvent("ending 0");
        std::_Exit(0);
    }
    // Other programs' windows come and go as they will.
    if (missing || refusal) return 0;
    char text[256];
    XGetErrorText(display, error->error_code, text, sizeof text);
    refusal = text;
    return 0;
}

[[noreturn]] int ReportLostServer(Display*) {
    std::fputs("kelvora: the connection to the X server was lost\n", stderr);
    std::fflush(stderr);
    std::_Exit(1);
}

}  // namespace

void InstallXErrorHandlers() {
    XSetErrorHandler(NoteDrawingFailure);
    InstallXConnectionLossHandler();
}

void InstallXConnectionLossHandler() { XSetIOErrorHandler(ReportLostServer); }

void WatchXWindow(unsigned long window) { watchedWindows.insert(window); }

void ForgetXWindow(unsigned long window) { watchedWindows.erase(window); }

std::optional<std::string> TakeXDrawingRefusal() { return std::exchange(refusal, std::nullopt); }

}  // namespace platform

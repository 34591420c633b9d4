#include "backends/linux/x_error_handlers.h"

#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>

namespace platform {

namespace {

// Set from inside Xlib, which calls the handler with no object to hand it; read by the
// event pump on the same thread.
bool drawingFailed = false;
bool failureTold = false;

// A window that is gone is the ordinary way for a hack's window to go and ends us quietly;
// anything else is told in one line, since the window cannot be drawn into.
int NoteDrawingFailure(Display* display, XErrorEvent* error) {
    if (error->error_code != BadWindow && error->error_code != BadDrawable && !failureTold) {
        failureTold = true;
        char text[256];
        XGetErrorText(display, error->error_code, text, sizeof text);
        std::fprintf(stderr, "kelvora: the window cannot be drawn into: %s\n", text);
    }
    drawingFailed = true;
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

bool TakeXDrawingFailure() {
    bool failed = drawingFailed;
    drawingFailed = false;
    return failed;
}

}  // namespace platform

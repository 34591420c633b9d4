// Xlib's handlers for the whole process, in place of its defaults, which print a dump and
// end the process at the first error. A window we draw into that its owner destroyed (as
// XScreenSaver takes a hack's window away) ends the process at once, quietly and by its
// own decision: the GL library would go on drawing into nothing. Any other error on our
// drawing is noted for the event pump, which fails with it. A lost connection to the X
// server ends the process with one line.
#pragma once
#include <optional>
#include <string>

namespace platform {

// Installs both handlers; again after a library that put back the one it found.
void InstallXErrorHandlers();
// Installs only the one for a lost connection, where errors are trapped call by call.
void InstallXConnectionLossHandler();

// The X windows we draw into, whose loss ends the process.
void WatchXWindow(unsigned long window);
void ForgetXWindow(unsigned long window);

// The first error since the last call other than a window we do not draw into going:
// the server's word for it, once; nothing when there was none.
std::optional<std::string> TakeXDrawingRefusal();

}  // namespace platform

// Xlib's handlers for the whole process, in place of its defaults, which print a dump and
// end the process at the first error. An X error on the connection we draw through means
// a window we draw into cannot be drawn into any more (its owner destroyed it, as
// XScreenSaver takes a hack's window away; or its visual is one we cannot draw on): it is
// noted, and the event pump closes our windows as if the window system asked. A lost
// connection to the X server ends the process with one line.
#pragma once

namespace platform {

// Installs both handlers; again after a library that set its own.
void InstallXErrorHandlers();
// Installs only the one for a lost connection, where errors are trapped call by call.
void InstallXConnectionLossHandler();

// True once for each X error that arrived since the last call.
bool TakeXDrawingFailure();

}  // namespace platform

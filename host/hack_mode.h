// The Linux product as an XScreenSaver hack: the candle scene drawn into the daemon's
// window, or the root window, or a window of its own, until SIGTERM (or, for a window of
// its own, its closing). The daemon decides when to stop: no single-instance test, no
// taskbar, no end on a key or the mouse.
#pragma once
#include <string>

#include "host/host_backends.h"

namespace mScreenSaver {

// True when this platform runs hacks (it has a backend for the hack's window) and the
// command line is a hack's (see hack_options.h).
bool HackModeAsked(const std::string& arguments, const mMain::HostBackends& backends);

// Reads the options of the command line, draws until told to stop and releases
// everything; returns normally then. A bad option, a missing window or a refused GL
// context fails with a RuntimeError that says so.
void RunHack(const std::string& arguments, const mMain::HostBackends& backends);

}  // namespace mScreenSaver

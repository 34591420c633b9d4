// SIGTERM and SIGINT as a request to quit, for the Linux backends that have no SDL to turn
// them into its quit event (the Wayland layer shell's): the signal only notes the request,
// and the event pump closes the saver windows, so that the saver ends as when they are
// closed, with its ending noted and code 0.
#pragma once

namespace platform {

// From now on SIGTERM and SIGINT note a request to quit instead of ending the process. A
// wait for events returns at once when one arrives.
void NoteQuitSignals();

// From now on SIGHUP (the terminal or the session going away) does what SIGTERM does at
// that moment, whoever handles SIGTERM then: SDL, NoteQuitSignals or the default ending.
// A SIGHUP that the process was started ignoring stays ignored.
void TreatHangUpAsTerminate();

// Whether SIGTERM or SIGINT has arrived since NoteQuitSignals.
bool QuitSignalled();

}  // namespace platform

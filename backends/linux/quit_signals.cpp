#include "backends/linux/quit_signals.h"

#include <csignal>
#include <initializer_list>

namespace platform {

namespace {
// Set from the signal handler, which is called with no object to hand it.
volatile std::sig_atomic_t quitSignalled = 0;

void NoteQuit(int) { quitSignalled = 1; }

void TerminateOnHangUp(int) { raise(SIGTERM); }
}  // namespace

void NoteQuitSignals() {
    struct sigaction action = {};
    action.sa_handler = NoteQuit;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a poll waiting for the compositor returns, and the pump runs.
    for (int signal : {SIGTERM, SIGINT}) sigaction(signal, &action, nullptr);
}

void TreatHangUpAsTerminate() {
    struct sigaction present = {};
    if (sigaction(SIGHUP, nullptr, &present) == 0 && present.sa_handler == SIG_IGN) return;
    struct sigaction action = {};
    action.sa_handler = TerminateOnHangUp;
    sigemptyset(&action.sa_mask);
    sigaction(SIGHUP, &action, nullptr);
}

bool QuitSignalled() { return quitSignalled != 0; }

}  // namespace platform

// The event file on POSIX systems: opened for each line with O_NONBLOCK, so that a named
// pipe without a reader fails the open at once (ENXIO) and a full one the write (EAGAIN)
// rather than holding the process for good; a regular file ignores the flag.
#include "common/event_file.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

void AppendEventText(const char* path, const std::string& text) {
    const int file = open(path, O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666);
    if (file < 0) return;
    // A reader that leaves between the open and the write would raise SIGPIPE, which ends
    // the process: held back for the write, and the one it raised taken off.
    sigset_t brokenPipe, before;
    sigemptyset(&brokenPipe);
    sigaddset(&brokenPipe, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &brokenPipe, &before);
    // A line is far below PIPE_BUF, so a pipe takes it whole or not at all.
    if (write(file, text.data(), text.size()) < 0 && errno == EPIPE) {
        const timespec noWait{};
        sigtimedwait(&brokenPipe, nullptr, &noWait);
    }
    pthread_sigmask(SIG_SETMASK, &before, nullptr);
    close(file);
}

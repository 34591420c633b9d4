// The session's lock is held twice over. A file in the user's runtime folder, which the
// rules for that folder make the user's alone (owned by them, mode 0700), locked for the
// process's life: no other user can create it or lock it first. And an abstract Unix
// socket named for the user and the display, listening, which an instance without that
// folder (or with another one) finds too; since anyone may bind an abstract name, a name
// held by another user's process is not taken for an instance of ours. Both are let go
// with the process however it ends.
#include "backends/linux/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <string>

namespace platform {

namespace {

// The display the saver runs on: the Wayland compositor's where there is one, else X's.
// Two sessions of one user have two; a Wayland display may be named by its socket's path.
std::string SessionDisplay() {
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    const char* x = std::getenv("DISPLAY");
    std::string name = wayland && *wayland ? std::string("wayland-display-") + wayland : std::string("x-") + (x ? x : "");
    std::replace(name.begin(), name.end(), '/', '_');
    return name;
}

// The user's runtime folder where it is as the rules for it demand: absolute, a folder of
// this user's that nobody else may enter; empty otherwise.
std::string PrivateRuntimeFolder() {
    const char* folder = std::getenv("XDG_RUNTIME_DIR");
    struct stat status;
    if (!folder || folder[0] != '/' || lstat(folder, &status) != 0) return "";
    if (!S_ISDIR(status.st_mode) || status.st_uid != geteuid() || (status.st_mode & 077) != 0) return "";
    return folder;
}

// Locks the file; -1 with held set when another process has it locked, -1 alone when the
// file cannot be had.
int LockFile(const std::string& path, bool& held) {
    int fd = open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) return -1;
    if (flock(fd, LOCK_EX | LOCK_NB) == 0) return fd;
    held = errno == EWOULDBLOCK;
    close(fd);
    return -1;
}

sockaddr_un AbstractAddress(const std::string& name, socklen_t& size) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    // The leading NUL makes the name abstract; sun_path is 108 bytes, and a longer name than
    // fits would be cut alike for every instance.
    std::size_t length = std::min(name.size(), sizeof address.sun_path - 1);
    std::memcpy(address.sun_path + 1, name.data(), length);
    size = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + length);
    return address;
}

// Whether the process listening on the name is this user's. One that does not listen, or
// whose queue is full, is no instance of ours either.
bool HolderIsThisUser(const sockaddr_un& address, socklen_t size) {
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    ucred holder{};
    socklen_t length = sizeof holder;
    bool ours = connect(fd, reinterpret_cast<const sockaddr*>(&address), size) == 0 &&
                getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &holder, &length) == 0 && holder.uid == geteuid();
    close(fd);
    return ours;
}

// Binds and listens on the name; -1 with held set when an instance of this user has it.
int HoldAbstractName(const std::string& name, bool& held) {
    socklen_t size = 0;
    sockaddr_un address = AbstractAddress(name, size);
    int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), size) == 0 && listen(fd, 4) == 0) return fd;
    bool inUse = errno == EADDRINUSE;
    close(fd);
    held = inUse && HolderIsThisUser(address, size);
    return -1;
}

}  // namespace

InstanceLock::InstanceLock() {
    std::string display = SessionDisplay();
    std::string folder = PrivateRuntimeFolder();
    bool heldInFolder = false, heldByName = false;
    if (!folder.empty()) file_ = LockFile(folder + "/kelvora-" + display + ".lock", heldInFolder);
    if (!heldInFolder) socket_ = HoldAbstractName("kelvora-" + std::to_string(geteuid()) + "-" + display, heldByName);
    heldElsewhere_ = heldInFolder || heldByName;
}

InstanceLock::~InstanceLock() {
    if (file_ >= 0) close(file_);
    if (socket_ >= 0) close(socket_);
}

}  // namespace platform

// The one saver of a user's session: a lock named for the display the saver runs on, that
// only the user can hold.
#pragma once

namespace platform {

class InstanceLock {
public:
    // Takes the session's lock, unless another instance of the same user holds it.
    InstanceLock();
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // Whether another instance of this user on this display held the lock first.
    bool HeldElsewhere() const { return heldElsewhere_; }

private:
    bool heldElsewhere_ = false;
    // The lock file in the user's runtime folder, and the abstract socket; -1 when not held.
    int file_ = -1;
    int socket_ = -1;
};

}  // namespace platform

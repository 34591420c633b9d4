// Keeps errno across the clean-up calls that follow a failure, so that a caller learns what
// stopped an operation (a full disk above all) rather than what the clean-up met.
#pragma once
#include <cerrno>

namespace platform {

class KeptErrno {
public:
    KeptErrno() : saved_(errno) {}
    ~KeptErrno() { errno = saved_; }
    KeptErrno(const KeptErrno&) = delete;
    KeptErrno& operator=(const KeptErrno&) = delete;

private:
    int saved_;
};

}  // namespace platform

// The one place a seam's backend is kept: each seam has one Slot, filled once at start by
// the program's composition root, or by a test with a fake.
#pragma once
#include <stdexcept>
#include <string>

namespace platform {

template <typename Seam>
class Slot {
public:
    explicit constexpr Slot(const char* name) : name_(name) {}

    void Install(Seam& seam) { seam_ = &seam; }
    void Clear() { seam_ = nullptr; }
    // The installed backend, or null; for the few callers that have a fallback.
    Seam* Installed() const { return seam_; }

    // The installed backend; using a seam before its backend is a programming fault.
    Seam& operator()() const {
        if (!seam_) throw std::logic_error(std::string(name_) + " used before a backend was installed");
        return *seam_;
    }

private:
    const char* name_;
    Seam* seam_ = nullptr;
};

}  // namespace platform

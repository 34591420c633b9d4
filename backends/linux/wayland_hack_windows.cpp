#include "backends/linux/wayland_hack_windows.h"

#include <utility>

#include "common/runtime_error.h"

namespace platform {

namespace {

class WaylandHackWindows : public HackWindowSystem {
public:
    explicit WaylandHackWindows(std::unique_ptr<HackWindowSystem> ownWindows) : ownWindows_(std::move(ownWindows)) {}

    std::uint64_t RootWindowId() override { Refuse(); }
    WindowHandle Adopt(std::uint64_t) override { Refuse(); }
    WindowHandle OpenOwn(std::function<void()> onClose) override { return ownWindows_->OpenOwn(std::move(onClose)); }
    void Release(WindowHandle window) override { ownWindows_->Release(window); }

private:
    [[noreturn]] static void Refuse() { throw RuntimeError(ErrorCode::InvalidArgument, "hack mode needs an X display"); }

    std::unique_ptr<HackWindowSystem> ownWindows_;
};

}  // namespace

std::unique_ptr<HackWindowSystem> NewWaylandHackWindows(std::unique_ptr<HackWindowSystem> ownWindows) {
    return std::make_unique<WaylandHackWindows>(std::move(ownWindows));
}

}  // namespace platform

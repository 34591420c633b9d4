#include "backends/linux/buffer_damage.h"

#include <algorithm>

namespace platform {

namespace {

bool Empty(const PixelArea& area) { return area.width <= 0 || area.height <= 0; }

PixelArea Around(const PixelArea& a, const PixelArea& b) {
    if (Empty(a)) return b;
    if (Empty(b)) return a;
    int left = std::min(a.x, b.x), bottom = std::min(a.y, b.y);
    int right = std::max(a.x + a.width, b.x + b.width), top = std::max(a.y + a.height, b.y + b.height);
    return {left, bottom, right - left, top - bottom};
}

PixelArea Within(const PixelArea& area, PixelSize size) {
    int left = std::clamp(area.x, 0, size.width), bottom = std::clamp(area.y, 0, size.height);
    int right = std::clamp(area.x + area.width, left, size.width);
    int top = std::clamp(area.y + area.height, bottom, size.height);
    return {left, bottom, right - left, top - bottom};
}

}  // namespace

std::uint64_t BufferDamage::FrameChanged(const PixelArea& part) {
    changed_.push_back(Within(part, size_));
    if (changed_.size() > kRemembered) changed_.pop_front();
    return ++frame_;
}

PixelArea BufferDamage::Missing(std::uint64_t content) const {
    PixelArea whole{0, 0, size_.width, size_.height};
    if (content == 0 || content > frame_ || frame_ - content > changed_.size()) return whole;
    PixelArea missing;
    for (std::size_t back = 0; back < frame_ - content; ++back) missing = Around(missing, changed_[changed_.size() - 1 - back]);
    return missing;
}

}  // namespace platform

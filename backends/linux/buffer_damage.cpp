// Which part of the picture a reused buffer lacks.
#include "backends/linux/buffer_damage.h"

#include "engine/redraw_area.h"

namespace platform {

namespace {

engine::GlRect Rect(const PixelArea& area) { return {area.x, area.y, area.width, area.height}; }
PixelArea Area(const engine::GlRect& rect) { return {rect.x, rect.y, rect.width, rect.height}; }

}  // namespace

std::uint64_t BufferDamage::FrameChanged(const PixelArea& part) {
    changed_.push_back(Area(engine::OverlapOf(Rect(part), {0, 0, size_.width, size_.height})));
    if (changed_.size() > kRemembered) changed_.pop_front();
    return ++frame_;
}

PixelArea BufferDamage::Missing(std::uint64_t content) const {
    if (content == 0 || content > frame_ || frame_ - content > changed_.size()) return {0, 0, size_.width, size_.height};
    engine::GlRect missing;
    for (std::size_t back = 0; back < frame_ - content; ++back)
        missing = engine::UnionOf(missing, Rect(changed_[changed_.size() - 1 - back]));
    return Area(missing);
}

}  // namespace platform

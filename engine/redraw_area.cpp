#include "engine/redraw_area.h"

#include <algorithm>
#include <cmath>

namespace engine {

bool IsEmpty(const GlRect& r) { return r.width <= 0 || r.height <= 0; }

GlRect UnionOf(const GlRect& a, const GlRect& b) {
    if (IsEmpty(a)) return b;
    if (IsEmpty(b)) return a;
    int x0 = std::min(a.x, b.x), y0 = std::min(a.y, b.y);
    int x1 = std::max(a.x + a.width, b.x + b.width), y1 = std::max(a.y + a.height, b.y + b.height);
    return {x0, y0, x1 - x0, y1 - y0};
}

GlRect OverlapOf(const GlRect& a, const GlRect& b) {
    int x0 = std::max(a.x, b.x), y0 = std::max(a.y, b.y);
    int x1 = std::min(a.x + a.width, b.x + b.width), y1 = std::min(a.y + a.height, b.y + b.height);
    if (x1 <= x0 || y1 <= y0) return {};
    return {x0, y0, x1 - x0, y1 - y0};
}

bool Contains(const GlRect& outer, const GlRect& inner) {
    if (IsEmpty(inner)) return true;
    return inner.x >= outer.x && inner.y >= outer.y && inner.x + inner.width <= outer.x + outer.width &&
           inner.y + inner.height <= outer.y + outer.height;
}

namespace {

GlRect Widened(const GlRect& r, int by) {
    if (IsEmpty(r)) return r;
    return {r.x - by, r.y - by, r.width + 2 * by, r.height + 2 * by};
}

}  // namespace

GlRect RedrawArea::InPixels(const ScreenBox& box) const {
    if (box.Empty()) return {};
    // Whole pixels that the box touches, and one more each way for a triangle's edge
    // that GL rounds outwards.
    auto x = [&](float ndc) { return picture_.x + (ndc + 1.0f) * 0.5f * static_cast<float>(picture_.width); };
    auto y = [&](float ndc) { return picture_.y + (ndc + 1.0f) * 0.5f * static_cast<float>(picture_.height); };
    float x0 = std::floor(x(std::max(box.low.x, -2.0f))) - 1, x1 = std::ceil(x(std::min(box.high.x, 2.0f))) + 1;
    float y0 = std::floor(y(std::max(box.low.y, -2.0f))) - 1, y1 = std::ceil(y(std::min(box.high.y, 2.0f))) + 1;
    return OverlapOf({static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(x1 - x0), static_cast<int>(y1 - y0)},
                     picture_);
}

GlRect RedrawArea::Open(const GlRect& picture, bool whole, const Change& first) {
    bool moved = picture.x != picture_.x || picture.y != picture_.y || picture.width != picture_.width ||
                 picture.height != picture_.height;
    picture_ = picture;
    bool steadyChanged = first.steadyKey != 0 && (lastKeys_.empty() || lastKeys_.front() != first.steadyKey);
    whole_ = whole || wholeNext_ || moved || steadyChanged;
    wholeNext_ = false;
    moved_.clear();
    keys_.clear();
    if (whole_) {
        area_ = picture_;
    } else {
        GlRect changed = first.changed ? InPixels(first.box) : GlRect{};
        for (const GlRect& last : lastMoved_) changed = UnionOf(changed, last);
        int margin = std::max(kMinMargin, static_cast<int>(std::lround(kMarginShare * picture_.height)));
        area_ = OverlapOf(Widened(changed, margin), picture_);
    }
    Note(first);
    return area_;
}

void RedrawArea::Note(const Change& change) {
    GlRect pixels = InPixels(change.box);
    if (change.steadyKey == 0)
        moved_.push_back(pixels);
    else
        keys_.push_back(change.steadyKey);
    if (whole_) return;
    bool steadyChanged = change.steadyKey != 0 && (keys_.size() > lastKeys_.size() ||
                                                   lastKeys_[keys_.size() - 1] != change.steadyKey);
    if (steadyChanged || (change.changed && !Contains(area_, pixels))) wholeNext_ = true;
}

void RedrawArea::Close() {
    // Something that stood still last frame and is not drawn now leaves its picture behind.
    if (!whole_ && keys_.size() != lastKeys_.size()) wholeNext_ = true;
    lastMoved_ = moved_;
    lastKeys_ = keys_;
}

}  // namespace engine

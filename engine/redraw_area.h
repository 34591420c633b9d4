// Which part of the picture a frame redraws, where the window keeps what it showed from
// frame to frame: everything that stands still stays as the last frame left it, and only
// what changes is cleared and drawn again.
//
// Each thing drawn says first where on the screen it lies, whether it may look different
// from the last frame there (a flame's sprites, a glow that flickers) and, for what stands
// still, a fingerprint of all it is drawn with (pose, lights, material). The area a frame
// redraws is settled when its first thing is drawn, before the later ones have said where
// they go: it takes in where things moved in the last frame and what the first thing
// changes now, widened by a margin that a moving thing does not outgrow in a frame. A
// change that still lands outside it, or a fingerprint that differs from the last
// frame's, spoils the frame: the next one redraws everything.
#pragma once
#include <glm/glm.hpp>

#include <cstdint>
#include <cstring>
#include <vector>

#include "engine/picture_geometry.h"

namespace engine {

// A rectangle in GL's normalised device coordinates, -1 to 1 across the viewport.
struct ScreenBox {
    glm::vec2 low{1.0f};
    glm::vec2 high{-1.0f};

    static ScreenBox Everything() { return {glm::vec2(-1.0f), glm::vec2(1.0f)}; }
    bool Empty() const { return low.x > high.x || low.y > high.y; }
    void Add(const glm::vec2& point) {
        low = glm::min(low, point);
        high = glm::max(high, point);
    }
    // Where a point seen through projection lands; behind the eye, everything.
    void AddProjected(const glm::mat4& projection, const glm::vec3& point) {
        glm::vec4 clip = projection * glm::vec4(point, 1.0f);
        if (clip.w <= 1e-6f) {
            *this = Everything();
            return;
        }
        Add(glm::vec2(clip) / clip.w);
    }
};

// What something drawn says of itself.
struct Change {
    // Where it lies on the screen.
    ScreenBox box;
    // A fingerprint of what it is drawn with that would change all of it; 0 for what
    // moves every frame.
    std::uint64_t steadyKey = 0;
    // Whether it may look different from the last frame within its box (what moves always
    // does; a still thing when a light on it flickered).
    bool changed = true;
};

// Builds a steady key from the bytes of the values given (FNV-1a).
class Fingerprint {
public:
    template <typename T>
    Fingerprint& Add(const T& value) {
        unsigned char bytes[sizeof(T)];
        std::memcpy(bytes, &value, sizeof(T));
        for (unsigned char byte : bytes) hash_ = (hash_ ^ byte) * 1099511628211ull;
        return *this;
    }
    // Never 0, which stands for what moves.
    std::uint64_t Value() const { return hash_ | 1u; }

private:
    std::uint64_t hash_ = 14695981039346656037ull;
};

// Rectangles of pixels: empty when without width or height.
bool IsEmpty(const GlRect& r);
// The smallest rectangle round both.
GlRect UnionOf(const GlRect& a, const GlRect& b);
GlRect OverlapOf(const GlRect& a, const GlRect& b);
// Whether outer holds every pixel of inner; an empty inner is held by anything.
bool Contains(const GlRect& outer, const GlRect& inner);

class RedrawArea {
public:
    // Widening of what changed, as a share of the picture's height, at least kMinMargin
    // pixels: more than a flame's sprite moves in a frame.
    static constexpr float kMarginShare = 0.02f;
    static constexpr int kMinMargin = 8;

    // The next frame redraws everything.
    void RedrawAll() { wholeNext_ = true; }
    // Starts a frame in the picture (window pixels) with the first thing drawn: the area
    // to clear and draw, which is the whole picture when asked for or when the last frame
    // spoiled, and may be empty when nothing changes.
    GlRect Open(const GlRect& picture, bool whole, const Change& first);
    // Each later thing drawn.
    void Note(const Change& change);
    // The frame is shown.
    void Close();
    GlRect Area() const { return area_; }
    bool Whole() const { return whole_; }
    // The window pixels a box touches, within the picture.
    GlRect InPixels(const ScreenBox& box) const;

private:

    GlRect picture_;
    GlRect area_;
    bool whole_ = true;
    bool wholeNext_ = true;
    // Where the things that move were drawn, this frame and the last.
    std::vector<GlRect> moved_, lastMoved_;
    std::vector<std::uint64_t> keys_, lastKeys_;
};

}  // namespace engine

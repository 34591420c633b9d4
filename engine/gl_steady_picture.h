// A copy of part of the window's picture as the still things left it, before anything that
// moves was drawn over it: a frame in which they look as before puts it back where the
// moving things were, instead of drawing them again.
#pragma once
#include <glad/gl.h>

#include "engine/picture_geometry.h"

namespace engine {

class SteadyPicture {
public:
    SteadyPicture() = default;
    ~SteadyPicture();
    SteadyPicture(const SteadyPicture&) = delete;
    SteadyPicture& operator=(const SteadyPicture&) = delete;

    // Copies this rectangle of the window's back buffer (window pixels, GL's way up).
    void Take(const GlRect& rect);
    // The rectangle of the window it holds.
    const GlRect& Held() const { return rect_; }
    // Copies back what it holds within this rectangle of the window.
    void Restore(const GlRect& within) const;
    void Forget() { rect_ = {}; }

private:
    GLuint framebuffer_ = 0, colour_ = 0;
    int width_ = 0, height_ = 0;
    GlRect rect_;
};

}  // namespace engine

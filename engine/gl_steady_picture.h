// A copy of part of the picture drawn into (a window's back buffer or the off-screen one)
// as the still things left it, before anything that moves was drawn over it: a frame in
// which they look as before puts it back where the moving things were, instead of drawing
// them again.
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

    // Copies this rectangle (GL's way up) of the framebuffer's colour, which has one
    // sample a pixel.
    void Take(GLuint framebuffer, const GlRect& rect);
    // Copies back what it holds within this rectangle of the framebuffer.
    void Restore(GLuint framebuffer, const GlRect& within) const;

private:
    GLuint framebuffer_ = 0, colour_ = 0;
    int width_ = 0, height_ = 0;
    GlRect rect_;
};

}  // namespace engine

// The off-screen picture every frame is drawn into at the display's own size: a colour
// texture holding sRGB values with a depth buffer, drawn through a multisampled twin
// when antialiasing is on.
#pragma once
#include <glad/gl.h>

#include "engine/picture_geometry.h"

namespace engine {

class RenderTarget {
public:
    RenderTarget(int width, int height, int samples);
    ~RenderTarget();
    RenderTarget(const RenderTarget&) = delete;
    RenderTarget& operator=(const RenderTarget&) = delete;

    // Makes the target the destination of drawing, over its whole size.
    void Bind() const;
    // Leaves the finished picture in Texture() (resolving the multisampled twin), within
    // the part or over the whole.
    void Resolve(const GlRect& part) const;
    void Resolve() const { Resolve({0, 0, width_, height_}); }
    GLuint Texture() const { return colour_; }
    // The framebuffer Bind() draws into.
    GLuint DrawnFramebuffer() const { return multisampleFramebuffer_ ? multisampleFramebuffer_ : framebuffer_; }
    // The framebuffer whose colour Texture() holds.
    GLuint ResolvedFramebuffer() const { return framebuffer_; }

private:
    int width_, height_;
    GLuint framebuffer_ = 0, colour_ = 0, depth_ = 0;
    GLuint multisampleFramebuffer_ = 0, multisampleColour_ = 0, multisampleDepth_ = 0;
};

}  // namespace engine

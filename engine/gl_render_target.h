// The off-screen picture every frame is drawn into at the display's own size: a colour
// texture holding sRGB values with a depth buffer, drawn through a multisampled twin
// when antialiasing is on.
#pragma once
#include <glad/gl.h>

namespace engine {

class RenderTarget {
public:
    RenderTarget(int width, int height, int samples);
    ~RenderTarget();
    RenderTarget(const RenderTarget&) = delete;
    RenderTarget& operator=(const RenderTarget&) = delete;

    // Makes the target the destination of drawing, over its whole size.
    void Bind() const;
    // Leaves the finished picture in Texture() (resolving the multisampled twin).
    void Resolve() const;
    GLuint Texture() const { return colour_; }
    // The framebuffer whose colour Texture() holds.
    GLuint ResolvedFramebuffer() const { return framebuffer_; }

private:
    int width_, height_;
    GLuint framebuffer_ = 0, colour_ = 0, depth_ = 0;
    GLuint multisampleFramebuffer_ = 0, multisampleColour_ = 0, multisampleDepth_ = 0;
};

}  // namespace engine

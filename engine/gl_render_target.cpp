#include "engine/gl_render_target.h"

#include "common/runtime_error.h"
#include "engine/gl_context.h"

namespace engine {

namespace {

GLuint MakeRenderbuffer(GLenum format, int width, int height, int samples) {
    GLuint buffer = 0;
    glGenRenderbuffers(1, &buffer);
    glBindRenderbuffer(GL_RENDERBUFFER, buffer);
    if (samples > 0)
        glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, format, width, height);
    else
        glRenderbufferStorage(GL_RENDERBUFFER, format, width, height);
    return buffer;
}

void RequireComplete() {
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE)
        throw RuntimeError(ErrorCode::InvalidArgument,
                           "the display's off-screen picture cannot be made");
}

}  // namespace

RenderTarget::RenderTarget(int width, int height, int samples) : width_(width), height_(height) {
    glGenTextures(1, &colour_);
    glBindTexture(GL_TEXTURE_2D, colour_);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glGenFramebuffers(1, &framebuffer_);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colour_, 0);
    if (samples == 0) {
        depth_ = MakeRenderbuffer(GL_DEPTH_COMPONENT24, width, height, 0);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth_);
    }
    RequireComplete();
    if (samples > 0) {
        glGenFramebuffers(1, &multisampleFramebuffer_);
        glBindFramebuffer(GL_FRAMEBUFFER, multisampleFramebuffer_);
        multisampleColour_ = MakeRenderbuffer(GL_RGBA8, width, height, samples);
        multisampleDepth_ = MakeRenderbuffer(GL_DEPTH_COMPONENT24, width, height, samples);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                                  multisampleColour_);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER,
                                  multisampleDepth_);
        RequireComplete();
    }
}

RenderTarget::~RenderTarget() {
    if (!GlContextAlive()) return;
    GLuint framebuffers[] = {framebuffer_, multisampleFramebuffer_};
    GLuint renderbuffers[] = {depth_, multisampleColour_, multisampleDepth_};
    glDeleteFramebuffers(2, framebuffers);
    glDeleteRenderbuffers(3, renderbuffers);
    glDeleteTextures(1, &colour_);
}

void RenderTarget::Bind() const {
    glBindFramebuffer(GL_FRAMEBUFFER, DrawnFramebuffer());
    glViewport(0, 0, width_, height_);
}

void RenderTarget::Resolve(const GlRect& part) const {
    if (!multisampleFramebuffer_ || part.width <= 0 || part.height <= 0) return;
    glBindFramebuffer(GL_READ_FRAMEBUFFER, multisampleFramebuffer_);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, framebuffer_);
    // A scissor would hold the blit to its part too.
    glDisable(GL_SCISSOR_TEST);
    int x1 = part.x + part.width, y1 = part.y + part.height;
    glBlitFramebuffer(part.x, part.y, x1, y1, part.x, part.y, x1, y1, GL_COLOR_BUFFER_BIT, GL_NEAREST);
}

}  // namespace engine

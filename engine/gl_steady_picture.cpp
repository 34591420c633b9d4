#include "engine/gl_steady_picture.h"

#include <algorithm>

#include "engine/gl_context.h"
#include "engine/redraw_area.h"

namespace engine {

SteadyPicture::~SteadyPicture() {
    if (!GlContextAlive() || !framebuffer_) return;
    glDeleteFramebuffers(1, &framebuffer_);
    glDeleteTextures(1, &colour_);
}

void SteadyPicture::Take(GLuint source, const GlRect& rect) {
    rect_ = {};
    if (rect.width <= 0 || rect.height <= 0) return;
    if (rect.width > width_ || rect.height > height_) {
        // Grown only, so that a part that changes its size a little from frame to frame
        // does not make a new store each time. BGRA, as the window's own pixels are, so
        // that the copies are plain copies.
        width_ = std::max(rect.width, width_);
        height_ = std::max(rect.height, height_);
        if (!colour_) glGenTextures(1, &colour_);
        glBindTexture(GL_TEXTURE_2D, colour_);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width_, height_, 0, GL_BGRA, GL_UNSIGNED_BYTE, nullptr);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        if (!framebuffer_) glGenFramebuffers(1, &framebuffer_);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colour_, 0);
    }
    glBindFramebuffer(GL_READ_FRAMEBUFFER, source);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, framebuffer_);
    glBlitFramebuffer(rect.x, rect.y, rect.x + rect.width, rect.y + rect.height, 0, 0, rect.width, rect.height,
                      GL_COLOR_BUFFER_BIT, GL_NEAREST);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    rect_ = rect;
}

void SteadyPicture::Restore(GLuint target, const GlRect& within) const {
    GlRect part = OverlapOf(rect_, within);
    if (part.width <= 0) return;
    int fromX = part.x - rect_.x, fromY = part.y - rect_.y;
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer_);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, target);
    glBlitFramebuffer(fromX, fromY, fromX + part.width, fromY + part.height, part.x, part.y, part.x + part.width,
                      part.y + part.height, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

}  // namespace engine

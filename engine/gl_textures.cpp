#include "engine/gl_textures.h"

#include "engine/gl_context.h"
#include "engine/picture.h"

namespace engine {

GlTexture::GlTexture(const Picture& picture, bool smooth, bool chain) : smooth_(smooth), chain_(chain) {
    glGenTextures(1, &handle_);
    glBindTexture(GL_TEXTURE_2D, handle_);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, picture.width, picture.height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 picture.rgba.data());
    GLint magnify = smooth ? GL_LINEAR : GL_NEAREST;
    GLint minify = magnify;
    if (chain) {
        glGenerateMipmap(GL_TEXTURE_2D);
        minify = smooth ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_NEAREST;
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minify);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, magnify);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
}

GlTexture::~GlTexture() {
    if (GlContextAlive()) glDeleteTextures(1, &handle_);
}

GlOneSizeSamplers::~GlOneSizeSamplers() {
    if (!GlContextAlive()) return;
    for (auto& [kind, sampler] : samplers_) glDeleteSamplers(1, &sampler);
}

GLuint GlOneSizeSamplers::For(const GlTexture& texture) {
    GLuint& sampler = samplers_[{texture.Smooth(), texture.Chain()}];
    if (!sampler) {
        GLint magnify = texture.Smooth() ? GL_LINEAR : GL_NEAREST;
        GLint nearestSize = texture.Smooth() ? GL_LINEAR_MIPMAP_NEAREST : GL_NEAREST_MIPMAP_NEAREST;
        glGenSamplers(1, &sampler);
        glSamplerParameteri(sampler, GL_TEXTURE_MIN_FILTER, texture.Chain() ? nearestSize : magnify);
        glSamplerParameteri(sampler, GL_TEXTURE_MAG_FILTER, magnify);
        glSamplerParameteri(sampler, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glSamplerParameteri(sampler, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    }
    return sampler;
}

}  // namespace engine

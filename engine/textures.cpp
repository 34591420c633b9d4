#include "engine/textures.h"

#include <algorithm>

#include "common/runtime_error.h"
#include "engine/gl_context.h"
#include "engine/picture.h"

namespace engine {

namespace {

GLuint Upload(const Picture& picture, bool smoothFilter, bool mipmaps) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, picture.width, picture.height, 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, picture.rgba.data());
    GLint magnify = smoothFilter ? GL_LINEAR : GL_NEAREST;
    GLint minify = magnify;
    if (mipmaps) {
        glGenerateMipmap(GL_TEXTURE_2D);
        minify = smoothFilter ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_NEAREST;
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minify);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, magnify);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    return texture;
}

GLuint MakeSampler(GLint minify, GLint magnify) {
    GLuint sampler = 0;
    glGenSamplers(1, &sampler);
    glSamplerParameteri(sampler, GL_TEXTURE_MIN_FILTER, minify);
    glSamplerParameteri(sampler, GL_TEXTURE_MAG_FILTER, magnify);
    glSamplerParameteri(sampler, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glSamplerParameteri(sampler, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    return sampler;
}

}  // namespace

Textures::~Textures() { Clear(); }

std::int32_t Textures::Load(const TextureRequest& request) {
    if (!GlContextAlive()) throw RuntimeError(ErrorCode::InvalidArgument, "the display has not been started");
    if (request.width == 0 || request.height == 0 || request.width < -1 || request.height < -1)
        throw RuntimeError(ErrorCode::InvalidArgument, "texture size out of range");
    GLint maxSide = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSide);
    Picture picture = ReadPictureFile(request.path, maxSide);
    if (request.width > 0 || request.height > 0)
        picture = Resized(picture, request.width > 0 ? request.width : picture.width,
                          request.height > 0 ? request.height : picture.height);
    if (request.colorKey != 0) KeyOut(picture, request.colorKey);
    std::int32_t id = nextId_++;
    textures_[id] = {Upload(picture, request.smoothFilter, request.mipmaps), request.smoothFilter, request.mipmaps};
    ids_[request.name] = id;
    return id;
}

std::int32_t Textures::IdOf(const std::string& name) const {
    auto found = ids_.find(name);
    if (found == ids_.end()) throw RuntimeError(ErrorCode::InvalidArgument, "no texture named \"" + name + "\"");
    return found->second;
}

const Textures::Texture& Textures::Find(std::int32_t id) const {
    auto found = textures_.find(id);
    if (found == textures_.end())
        throw RuntimeError(ErrorCode::InvalidArgument, "no texture with id " + std::to_string(id));
    return found->second;
}

GLuint Textures::Handle(std::int32_t id) const { return Find(id).handle; }

GLuint Textures::OneSizeSampler(std::int32_t id) {
    const Texture& texture = Find(id);
    GLuint& sampler = oneSizeSamplers_[{texture.smoothFilter, texture.mipmaps}];
    if (!sampler) {
        GLint magnify = texture.smoothFilter ? GL_LINEAR : GL_NEAREST;
        GLint nearestSize = texture.smoothFilter ? GL_LINEAR_MIPMAP_NEAREST : GL_NEAREST_MIPMAP_NEAREST;
        sampler = MakeSampler(texture.mipmaps ? nearestSize : magnify, magnify);
    }
    return sampler;
}

GLuint Textures::White() {
    if (!white_) white_ = Upload(Picture{1, 1, {255, 255, 255, 255}}, false, false);
    return white_;
}

void Textures::Clear() {
    if (GlContextAlive()) {
        for (auto& [id, texture] : textures_) glDeleteTextures(1, &texture.handle);
        if (white_) glDeleteTextures(1, &white_);
        for (auto& [kind, sampler] : oneSizeSamplers_) glDeleteSamplers(1, &sampler);
    }
    textures_.clear();
    ids_.clear();
    oneSizeSamplers_.clear();
    white_ = 0;
}

}  // namespace engine

// The OpenGL layer's textures, and the samplers that read one picture of a texture's chain
// of smaller copies.
#pragma once
#include <glad/gl.h>

#include <map>
#include <utility>

#include "engine/drawing_layer.h"

namespace engine {

class GlTexture : public LayerTexture {
public:
    GlTexture(const Picture& picture, bool smooth, bool chain);
    ~GlTexture() override;
    GlTexture(const GlTexture&) = delete;
    GlTexture& operator=(const GlTexture&) = delete;

    GLuint Handle() const { return handle_; }
    bool Smooth() const { return smooth_; }
    bool Chain() const { return chain_; }

private:
    GLuint handle_ = 0;
    bool smooth_, chain_;
};

class GlOneSizeSamplers {
public:
    GlOneSizeSamplers() = default;
    ~GlOneSizeSamplers();
    GlOneSizeSamplers(const GlOneSizeSamplers&) = delete;
    GlOneSizeSamplers& operator=(const GlOneSizeSamplers&) = delete;

    // Reads the texture with its own filter, from the one picture of its chain nearest
    // in size.
    GLuint For(const GlTexture& texture);

private:
    // One for each mix of filter and chain, made when first asked for.
    std::map<std::pair<bool, bool>, GLuint> samplers_;
};

}  // namespace engine

// The OpenGL layer's sprites: textured, coloured triangles in one call each batch, with
// the batch's blending and depth.
#pragma once
#include <glad/gl.h>

#include "engine/drawing_layer.h"
#include "engine/gl_textures.h"
#include "engine/gl_shader_program.h"

namespace engine {

class GlSpriteDrawing {
public:
    GlSpriteDrawing();
    ~GlSpriteDrawing();
    GlSpriteDrawing(const GlSpriteDrawing&) = delete;
    GlSpriteDrawing& operator=(const GlSpriteDrawing&) = delete;

    void Draw(const SpriteVertex* triangles, std::size_t count, const SpriteDraw& how);

private:
    ShaderProgram program_;
    GLint projectionUniform_, pictureUniform_;
    GLuint vertexArray_ = 0, buffer_ = 0;
    GlOneSizeSamplers oneSizeSamplers_;
};

}  // namespace engine

// Draws textured, coloured triangles in one call: the 2D pictures, the particles and
// the frame counter all go through it. Textures, colours and the picture are all sRGB
// values, blended as they are.
#pragma once
#include <glad/gl.h>
#include <glm/glm.hpp>

#include <vector>

#include "engine/display.h"
#include "engine/redraw_area.h"
#include "engine/shader_program.h"

namespace engine {

struct SpriteVertex {
    glm::vec3 position;
    glm::vec2 texCoord;
    glm::vec4 colour;
};

class SpriteRenderer {
public:
    SpriteRenderer();
    ~SpriteRenderer();
    SpriteRenderer(const SpriteRenderer&) = delete;
    SpriteRenderer& operator=(const SpriteRenderer&) = delete;

    // Into the display's picture, which is told where the triangles land: sprites move
    // every frame. Blending and depth state are the caller's. A sampler other than 0
    // reads the texture in place of the texture's own settings.
    void Draw(Display& display, const SpriteVertex* triangles, std::size_t count, GLuint texture,
              const glm::mat4& projection, GLuint sampler = 0);

private:
    ShaderProgram program_;
    GLint projectionUniform_, pictureUniform_;
    GLuint vertexArray_ = 0, buffer_ = 0;
};

}  // namespace engine

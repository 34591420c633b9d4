#include "engine/sprite_renderer.h"

#include <cstddef>
#include <glm/gtc/type_ptr.hpp>

#include "engine/gl_context.h"
#include "engine/vertex_array.h"

namespace engine {

namespace {

const char* const kVertexShader = R"(#version 330 core
layout(location = 0) in vec3 position;
layout(location = 1) in vec2 texCoordIn;
layout(location = 2) in vec4 colourIn;
uniform mat4 projection;
out vec2 texCoord;
out vec4 tint;
void main() {
    texCoord = texCoordIn;
    tint = colourIn;
    gl_Position = projection * vec4(position, 1.0);
}
)";

const char* const kFragmentShader = R"(#version 330 core
uniform sampler2D picture;
in vec2 texCoord;
in vec4 tint;
out vec4 colour;
void main() { colour = texture(picture, texCoord) * tint; }
)";

}  // namespace

SpriteRenderer::SpriteRenderer()
    : program_(kVertexShader, kFragmentShader),
      projectionUniform_(program_.Uniform("projection")),
      pictureUniform_(program_.Uniform("picture")) {
    MakeVertexArray(vertexArray_, buffer_, sizeof(SpriteVertex),
                    {{3, offsetof(SpriteVertex, position)},
                     {2, offsetof(SpriteVertex, texCoord)},
                     {4, offsetof(SpriteVertex, colour)}});
}

SpriteRenderer::~SpriteRenderer() {
    if (!GlContextAlive()) return;
    glDeleteBuffers(1, &buffer_);
    glDeleteVertexArrays(1, &vertexArray_);
}

void SpriteRenderer::Draw(Display& display, const SpriteVertex* triangles, std::size_t count, GLuint texture,
                          const glm::mat4& projection, GLuint sampler) {
    if (count == 0) return;
    Change landing;
    for (std::size_t i = 0; i < count; ++i) landing.box.AddProjected(projection, triangles[i].position);
    display.Drawing(landing);
    // Sprites face the camera whichever way their corners run.
    glDisable(GL_CULL_FACE);
    program_.Use();
    glUniformMatrix4fv(projectionUniform_, 1, GL_FALSE, glm::value_ptr(projection));
    glUniform1i(pictureUniform_, 0);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture);
    glBindSampler(0, sampler);
    glBindVertexArray(vertexArray_);
    glBindBuffer(GL_ARRAY_BUFFER, buffer_);
    GLsizeiptr bytes = static_cast<GLsizeiptr>(count * sizeof(SpriteVertex));
    // A fresh store for every batch: overwriting the store an earlier draw of the frame
    // still reads would make a software renderer finish that draw first.
    glBufferData(GL_ARRAY_BUFFER, bytes, triangles, GL_STREAM_DRAW);
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(count));
    glBindSampler(0, 0);
}

}  // namespace engine

#include "engine/gl_sprite_drawing.h"

#include <cstddef>
#include <glm/gtc/type_ptr.hpp>

#include "engine/gl_context.h"
#include "engine/gl_vertex_array.h"

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

GLenum Operation(BlendOperation operation) {
    switch (operation) {
    case BlendOperation::Add: return GL_FUNC_ADD;
    case BlendOperation::Subtract: return GL_FUNC_SUBTRACT;
    case BlendOperation::ReverseSubtract: return GL_FUNC_REVERSE_SUBTRACT;
    case BlendOperation::Min: return GL_MIN;
    case BlendOperation::Max: return GL_MAX;
    }
    return GL_FUNC_ADD;
}

GLenum Factor(BlendFactor factor) {
    switch (factor) {
    case BlendFactor::Zero: return GL_ZERO;
    case BlendFactor::One: return GL_ONE;
    case BlendFactor::SourceColour: return GL_SRC_COLOR;
    case BlendFactor::InverseSourceColour: return GL_ONE_MINUS_SRC_COLOR;
    case BlendFactor::SourceAlpha: return GL_SRC_ALPHA;
    case BlendFactor::InverseSourceAlpha: return GL_ONE_MINUS_SRC_ALPHA;
    case BlendFactor::DestinationAlpha: return GL_DST_ALPHA;
    case BlendFactor::InverseDestinationAlpha: return GL_ONE_MINUS_DST_ALPHA;
    case BlendFactor::DestinationColour: return GL_DST_COLOR;
    case BlendFactor::InverseDestinationColour: return GL_ONE_MINUS_DST_COLOR;
    }
    return GL_ONE;
}

}  // namespace

GlSpriteDrawing::GlSpriteDrawing()
    : program_(kVertexShader, kFragmentShader),
      projectionUniform_(program_.Uniform("projection")),
      pictureUniform_(program_.Uniform("picture")) {
    MakeVertexArray(vertexArray_, buffer_, sizeof(SpriteVertex),
                    {{3, offsetof(SpriteVertex, position)},
                     {2, offsetof(SpriteVertex, texCoord)},
                     {4, offsetof(SpriteVertex, colour)}});
}

GlSpriteDrawing::~GlSpriteDrawing() {
    if (!GlContextAlive()) return;
    glDeleteBuffers(1, &buffer_);
    glDeleteVertexArrays(1, &vertexArray_);
}

void GlSpriteDrawing::Draw(const SpriteVertex* triangles, std::size_t count, const SpriteDraw& how) {
    if (how.behindMeshes) {
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_LESS);
    } else {
        glDisable(GL_DEPTH_TEST);
    }
    glDepthMask(GL_FALSE);
    glEnable(GL_BLEND);
    glBlendEquation(Operation(how.blending.operation));
    glBlendFunc(Factor(how.blending.source), Factor(how.blending.destination));
    // Sprites face the camera whichever way their corners run.
    glDisable(GL_CULL_FACE);
    program_.Use();
    glUniformMatrix4fv(projectionUniform_, 1, GL_FALSE, glm::value_ptr(how.projection));
    glUniform1i(pictureUniform_, 0);
    const auto& texture = static_cast<const GlTexture&>(*how.texture);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture.Handle());
    glBindSampler(0, how.oneSize ? oneSizeSamplers_.For(texture) : 0);
    glBindVertexArray(vertexArray_);
    glBindBuffer(GL_ARRAY_BUFFER, buffer_);
    GLsizeiptr bytes = static_cast<GLsizeiptr>(count * sizeof(SpriteVertex));
    // A fresh store for every batch: overwriting the store an earlier draw of the frame
    // still reads would make a software renderer finish that draw first.
    glBufferData(GL_ARRAY_BUFFER, bytes, triangles, GL_STREAM_DRAW);
    glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(count));
    glBindSampler(0, 0);
    glDepthMask(GL_TRUE);
}

}  // namespace engine

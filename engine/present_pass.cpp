#include "engine/present_pass.h"

#include "engine/gl_context.h"

namespace engine {

namespace {

// One triangle that covers the viewport; its corners come from the vertex number, so
// no vertex buffer is needed.
const char* const kVertexShader = R"(#version 330 core
out vec2 texCoord;
void main() {
    vec2 corner = vec2((gl_VertexID << 1) & 2, gl_VertexID & 2);
    texCoord = corner;
    gl_Position = vec4(corner * 2.0 - 1.0, 0.0, 1.0);
}
)";

const char* const kFragmentShader = R"(#version 330 core
uniform sampler2D picture;
uniform float inverseGamma;
in vec2 texCoord;
out vec4 colour;
void main() {
    vec3 c = texture(picture, texCoord).rgb;
    vec3 encoded = mix(c * 12.92, 1.055 * pow(c, vec3(1.0 / 2.4)) - 0.055, step(0.0031308, c));
    colour = vec4(pow(encoded, vec3(inverseGamma)), 1.0);
}
)";

}  // namespace

PresentPass::PresentPass() : program_(kVertexShader, kFragmentShader) {
    glGenVertexArrays(1, &vertexArray_);
}

PresentPass::~PresentPass() {
    if (GlContextAlive()) glDeleteVertexArrays(1, &vertexArray_);
}

void PresentPass::Draw(GLuint picture, float gamma) const {
    program_.Use();
    glUniform1i(program_.Uniform("picture"), 0);
    glUniform1f(program_.Uniform("inverseGamma"), 1.0f / gamma);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, picture);
    glBindVertexArray(vertexArray_);
    glDrawArrays(GL_TRIANGLES, 0, 3);
}

}  // namespace engine

#include "engine/present_pass.h"

#include <string>

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

// A gamma other than 1 is built into the program, so that the usual copy costs no more
// than a copy.
const char* const kFragmentShader = R"(
uniform sampler2D picture;
in vec2 texCoord;
out vec4 colour;
void main() {
    vec3 c = texture(picture, texCoord).rgb;
#ifdef INVERSE_GAMMA
    c = pow(c, vec3(INVERSE_GAMMA));
#endif
    colour = vec4(c, 1.0);
}
)";

std::string FragmentShader(float gamma) {
    std::string source = "#version 330 core\n";
    if (gamma != 1.0f) source += "#define INVERSE_GAMMA " + std::to_string(1.0f / gamma) + "\n";
    return source + kFragmentShader;
}

}  // namespace

PresentPass::PresentPass(float gamma) : program_(kVertexShader, FragmentShader(gamma).c_str()) {
    glGenVertexArrays(1, &vertexArray_);
}

PresentPass::~PresentPass() {
    if (GlContextAlive()) glDeleteVertexArrays(1, &vertexArray_);
}

void PresentPass::Draw(GLuint picture) const {
    glDisable(GL_CULL_FACE);
    program_.Use();
    glUniform1i(program_.Uniform("picture"), 0);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, picture);
    glBindVertexArray(vertexArray_);
    glDrawArrays(GL_TRIANGLES, 0, 3);
}

}  // namespace engine

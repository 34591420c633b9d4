#include "engine/gl_present_pass.h"

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
//
// Scaled up by a factor that is not whole, plain bilinear filtering blurs every edge
// over the width of a source pixel times the factor. Here the blend between two source
// pixels is squeezed into the one shown pixel that lies across their border, and
// each shown pixel within a source pixel takes that pixel's colour: edges as crisp as the
// picture drawn at full size, for the price of the same single texture read. At a
// factor of 1 or less it is plain bilinear filtering.
const char* const kFragmentShader = R"(
uniform sampler2D picture;
uniform vec2 pictureSize;
uniform vec2 enlargement;
in vec2 texCoord;
out vec4 colour;
void main() {
    vec2 texel = texCoord * pictureSize - 0.5;
    vec2 between = fract(texel);
    between = clamp((between - 0.5) * enlargement + 0.5, 0.0, 1.0);
    vec3 c = texture(picture, (floor(texel) + between + 0.5) / pictureSize).rgb;
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

void PresentPass::Draw(GLuint picture, glm::ivec2 pictureSize, glm::ivec2 shownSize) const {
    glDisable(GL_CULL_FACE);
    program_.Use();
    glUniform1i(program_.Uniform("picture"), 0);
    glm::vec2 size(pictureSize);
    glUniform2f(program_.Uniform("pictureSize"), size.x, size.y);
    glm::vec2 enlargement = glm::max(glm::vec2(shownSize) / glm::max(size, glm::vec2(1)), glm::vec2(1));
    glUniform2f(program_.Uniform("enlargement"), enlargement.x, enlargement.y);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, picture);
    glBindVertexArray(vertexArray_);
    glDrawArrays(GL_TRIANGLES, 0, 3);
}

}  // namespace engine

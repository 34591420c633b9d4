#include "engine/gl_mesh_drawing.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <glm/gtc/type_ptr.hpp>

#include "engine/gl_context.h"
#include "engine/light_falloff.h"
#include "engine/gl_mesh_shaders.h"
#include "engine/gl_vertex_array.h"

namespace engine {

namespace {

// How much nearer the smoothed edges are drawn than the faces they border, as a share of
// the depth range: a few steps of a 16-bit depth buffer at the pumpkin's distance (some
// three world units), well under the thickness of a carved shell, so that edges behind
// a surface stay hidden.
constexpr float kLineNearer = 0.00006f;

void SetVec3(const ShaderProgram& program, const char* name, const glm::vec3& v) {
    glUniform3fv(program.Uniform(name), 1, glm::value_ptr(v));
}

// Gives the program every input of the draw, and the matrix that places its vertices in
// the world.
void Upload(const ShaderProgram& program, const MeshDrawInputs& inputs, const glm::mat4& placing) {
    const MeshDrawInputs::Steady& steady = inputs.steady;
    const MeshDrawInputs::Glowing& glowing = inputs.glowing;
    program.Use();
    glm::mat3 normalMatrix = glm::transpose(glm::inverse(glm::mat3(placing)));
    glUniformMatrix4fv(program.Uniform("model"), 1, GL_FALSE, glm::value_ptr(placing));
    glUniformMatrix3fv(program.Uniform("normalMatrix"), 1, GL_FALSE, glm::value_ptr(normalMatrix));
    glUniformMatrix4fv(program.Uniform("projection"), 1, GL_FALSE, glm::value_ptr(steady.projection));
    SetVec3(program, "ambientAndEmissive", steady.ambientAndEmissive);
    SetVec3(program, "diffuse", steady.diffuse);
    glUniform1f(program.Uniform("opacity"), steady.opacity);
    SetVec3(program, "specular", steady.specular);
    glUniform1f(program.Uniform("power"), steady.power);
    glUniform1i(program.Uniform("lit"), steady.lit);
    glUniform4fv(program.Uniform("outerPointPlace"), kMaxPointLights, glm::value_ptr(steady.outerPointPlace[0]));
    glUniform3fv(program.Uniform("outerPointColour"), kMaxPointLights, glm::value_ptr(glowing.outerPointColour[0]));
    glUniform4fv(program.Uniform("innerPointPlace"), kMaxPointLights, glm::value_ptr(steady.innerPointPlace[0]));
    glUniform3fv(program.Uniform("innerPointColour"), kMaxPointLights, glm::value_ptr(glowing.innerPointColour[0]));
    glUniform3fv(program.Uniform("directionalToward"), kMaxDirectionalLights,
                 glm::value_ptr(steady.directionalToward[0]));
    glUniform3fv(program.Uniform("directionalColour"), kMaxDirectionalLights,
                 glm::value_ptr(steady.directionalColour[0]));
    glUniform2fv(program.Uniform("spillCentre"), 1, glm::value_ptr(glowing.spillCentre));
    glUniform2fv(program.Uniform("spillInverseHalfSize"), 1, glm::value_ptr(glowing.spillInverseHalfSize));
    SetVec3(program, "spillColour", glowing.spillColour);
}

}  // namespace

GlMesh::GlMesh(const std::vector<MeshVertex>& corners, const std::vector<std::uint32_t>& indices)
    : count_(static_cast<GLsizei>(indices.size())) {
    MakeVertexArray(vertexArray_, buffer_, sizeof(MeshVertex),
                    {{3, offsetof(MeshVertex, position)},
                     {3, offsetof(MeshVertex, normal)},
                     {1, offsetof(MeshVertex, litFromWithin)}});
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(corners.size() * sizeof(MeshVertex)), corners.data(),
                 GL_STATIC_DRAW);
    glGenBuffers(1, &indexBuffer_);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer_);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size() * sizeof(std::uint32_t)),
                 indices.data(), GL_STATIC_DRAW);
    MakeVertexArray(stripArray_, stripBuffer_, sizeof(StripVertex),
                    {{3, offsetof(StripVertex, position)},
                     {3, offsetof(StripVertex, normal)},
                     {1, offsetof(StripVertex, litFromWithin)},
                     {1, offsetof(StripVertex, across)}});
}

GlMesh::~GlMesh() {
    if (!GlContextAlive()) return;
    GLuint buffers[] = {buffer_, indexBuffer_, stripBuffer_};
    glDeleteBuffers(3, buffers);
    GLuint arrays[] = {vertexArray_, stripArray_};
    glDeleteVertexArrays(2, arrays);
}

void GlMesh::SetStrips(const std::vector<StripVertex>& strips) {
    stripCount_ = static_cast<GLsizei>(strips.size());
    glBindBuffer(GL_ARRAY_BUFFER, stripBuffer_);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(strips.size() * sizeof(StripVertex)), strips.data(),
                 GL_STATIC_DRAW);
}

void GlMesh::DrawFaces() const {
    glBindVertexArray(vertexArray_);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer_);
    glDrawElements(GL_TRIANGLES, count_, GL_UNSIGNED_INT, nullptr);
}

void GlMesh::DrawStrips() const {
    if (stripCount_ == 0) return;
    glBindVertexArray(stripArray_);
    glDrawArrays(GL_TRIANGLES, 0, stripCount_);
}

const GlMeshDrawing::Programs& GlMeshDrawing::ProgramsFor(int outerPoints, int innerPoints, int directionals) {
    std::unique_ptr<Programs>& programs = programs_[{outerPoints, innerPoints, directionals}];
    if (!programs) {
        std::string counts = "#version 330 core\n#define OUTER_POINTS " + std::to_string(outerPoints) +
                             "\n#define INNER_POINTS " + std::to_string(innerPoints) +
                             "\n#define DIRECTIONALS " + std::to_string(directionals) +
                             "\n#define OUTER_POINT_SLOTS " + std::to_string(std::max(outerPoints, 1)) +
                             "\n#define DIRECTIONAL_SLOTS " + std::to_string(std::max(directionals, 1)) + "\n" +
                             kMeshLightUniforms;
        std::string light = std::string(kRangeFalloffGlsl) + kMeshLighting;
        std::string facesVertex = counts + kMeshPlacing + kMeshVertexShader;
        std::string facesFragment = counts + light + kMeshFragmentShader;
        std::string stripsVertex = counts + light + kMeshPlacing + kStripVertexShader;
        std::string stripsFragment = std::string("#version 330 core\n") + kStripFragmentShader;
        programs.reset(new Programs{{facesVertex.c_str(), facesFragment.c_str()},
                                    {stripsVertex.c_str(), stripsFragment.c_str()}});
    }
    return *programs;
}

void GlMeshDrawing::Draw(const GlMesh& mesh, const MeshDrawInputs& inputs, bool depthTested) {
    const MeshDrawInputs::Steady& steady = inputs.steady;
    const Programs& programs = ProgramsFor(steady.outerPoints, steady.innerPoints, steady.directionals);
    if (depthTested)
        glEnable(GL_DEPTH_TEST);
    else
        glDisable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
    Upload(programs.faces, inputs, steady.model);
    glEnable(GL_CULL_FACE);
    glFrontFace(GL_CW);
    mesh.DrawFaces();
    if (steady.pixelAtOne <= 0) return;
    // The strips come in world coordinates.
    Upload(programs.strips, inputs, glm::mat4(1));
    glUniform1f(programs.strips.Uniform("towardsEye"), kLineNearer);
    glDisable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    glBlendEquation(GL_FUNC_ADD);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDepthMask(GL_FALSE);
    mesh.DrawStrips();
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
}

}  // namespace engine

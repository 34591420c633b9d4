#include "engine/mesh_renderer.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <glm/gtc/type_ptr.hpp>

#include "engine/gl_context.h"
#include "engine/light_falloff.h"
#include "engine/mesh_outline.h"
#include "engine/mesh_shaders.h"
#include "engine/vertex_array.h"

namespace engine {

namespace {

// Each edge in view becomes a strip on the screen, in world coordinates: across runs
// from 0 on the edge to 1 at kStripPixels from it, and the strip covers a pixel the less
// the farther across it lies. An outline's strip lies on its outer side only, over what
// is behind, so that it blends the edge's stair into the background without darkening
// the face itself; a crease's strip lies on both sides.
constexpr float kStripPixels = 0.8f;

std::vector<StripVertex> OutlineStrips(MeshOutline& outline, const glm::mat4& model, float pixelAtOne) {
    glm::mat3 normalMatrix = glm::transpose(glm::inverse(glm::mat3(model)));
    const std::vector<MeshOutline::EdgeInView>& edges = outline.EdgesInView(model);
    std::vector<StripVertex> strips;
    strips.reserve(edges.size() * 6);
    auto onScreen = [](const glm::vec3& p) { return glm::vec2(p) / p.z; };
    for (const MeshOutline::EdgeInView& edge : edges) {
        glm::vec3 a(model * glm::vec4(outline.Position(edge.from), 1));
        glm::vec3 b(model * glm::vec4(outline.Position(edge.to), 1));
        glm::vec3 beside(model * glm::vec4(outline.Position(edge.besideCorner), 1));
        if (a.z <= 0 || b.z <= 0 || beside.z <= 0) continue;
        // The edge's way on the screen (the camera looks along +z from the origin).
        glm::vec2 way = onScreen(b) - onScreen(a);
        if (glm::length(way) <= 0) continue;
        way = glm::normalize(way);
        glm::vec2 across(-way.y, way.x);
        // Away from the face beside it.
        if (glm::dot(across, onScreen(beside) - onScreen(a)) > 0) across = -across;
        glm::vec3 side(across, 0);
        glm::vec3 na = glm::normalize(normalMatrix * outline.Normal(edge.from));
        glm::vec3 nb = glm::normalize(normalMatrix * outline.Normal(edge.to));
        glm::vec3 offsetA = side * (a.z * pixelAtOne * kStripPixels), offsetB = side * (b.z * pixelAtOne * kStripPixels);
        StripVertex a1{a + offsetA, na, 1}, b1{b + offsetB, nb, 1};
        StripVertex a0{a, na, 0}, b0{b, nb, 0};
        if (!edge.outline) {
            a0 = {a - offsetA, na, -1};
            b0 = {b - offsetB, nb, -1};
        }
        for (const StripVertex& v : {a0, b0, b1, a0, b1, a1}) strips.push_back(v);
    }
    return strips;
}

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
    SetVec3(program, "insideCentre", steady.insideCentre);
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

GpuMesh::GpuMesh(const std::vector<MeshVertex>& triangles) : count_(static_cast<GLsizei>(triangles.size())) {
    // Corners that agree in position and normal are stored once and drawn by index, so
    // that each is transformed once rather than once for every triangle it belongs to.
    std::vector<MeshVertex> vertices;
    std::vector<GLuint> indices;
    std::map<std::array<float, 6>, GLuint> seen;
    for (const MeshVertex& corner : triangles) {
        std::array<float, 6> key{corner.position.x, corner.position.y, corner.position.z,
                                 corner.normal.x,   corner.normal.y,   corner.normal.z};
        auto [found, added] = seen.try_emplace(key, static_cast<GLuint>(vertices.size()));
        if (added) vertices.push_back(corner);
        indices.push_back(found->second);
    }
    if (!triangles.empty()) {
        glm::vec3 low = triangles[0].position, high = low;
        for (const auto& vertex : triangles) {
            low = glm::min(low, vertex.position);
            high = glm::max(high, vertex.position);
        }
        centre_ = (low + high) * 0.5f;
        for (const auto& vertex : triangles) radius_ = std::max(radius_, glm::length(vertex.position - centre_));
    }
    MakeVertexArray(vertexArray_, buffer_, sizeof(MeshVertex),
                    {{3, offsetof(MeshVertex, position)}, {3, offsetof(MeshVertex, normal)}});
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(MeshVertex)),
                 vertices.data(), GL_STATIC_DRAW);
    glGenBuffers(1, &indexBuffer_);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer_);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size() * sizeof(GLuint)),
                 indices.data(), GL_STATIC_DRAW);

    std::vector<glm::vec3> positions, normals;
    for (const MeshVertex& vertex : vertices) {
        positions.push_back(vertex.position);
        normals.push_back(vertex.normal);
    }
    outline_ = std::make_unique<MeshOutline>(positions, normals, indices);
    corners_ = positions;
    MakeVertexArray(outlineArray_, outlineBuffer_, sizeof(StripVertex),
                    {{3, offsetof(StripVertex, position)},
                     {3, offsetof(StripVertex, normal)},
                     {1, offsetof(StripVertex, across)}});
}

GpuMesh::~GpuMesh() {
    if (!GlContextAlive()) return;
    GLuint buffers[] = {buffer_, indexBuffer_, outlineBuffer_};
    glDeleteBuffers(3, buffers);
    GLuint arrays[] = {vertexArray_, outlineArray_};
    glDeleteVertexArrays(2, arrays);
}

void GpuMesh::Draw() const {
    glBindVertexArray(vertexArray_);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer_);
    glDrawElements(GL_TRIANGLES, count_, GL_UNSIGNED_INT, nullptr);
}

void GpuMesh::DrawOutline(const glm::mat4& model, float pixelAtOne) {
    if (model != outlineModel_ || pixelAtOne != outlinePixel_) {
        outlineModel_ = model;
        outlinePixel_ = pixelAtOne;
        std::vector<StripVertex> strips = OutlineStrips(*outline_, model, pixelAtOne);
        outlineCount_ = static_cast<GLsizei>(strips.size());
        glBindBuffer(GL_ARRAY_BUFFER, outlineBuffer_);
        glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(strips.size() * sizeof(StripVertex)), strips.data(),
                     GL_STATIC_DRAW);
    }
    if (outlineCount_ == 0) return;
    glBindVertexArray(outlineArray_);
    glDrawArrays(GL_TRIANGLES, 0, outlineCount_);
}

const ScreenBox& GpuMesh::InView(const glm::mat4& model, const glm::mat4& projection) {
    if (model != inViewModel_ || projection != inViewProjection_) {
        inViewModel_ = model;
        inViewProjection_ = projection;
        inView_ = {};
        for (const glm::vec3& corner : corners_)
            inView_.AddProjected(projection, glm::vec3(model * glm::vec4(corner, 1)));
    }
    return inView_;
}

const MeshRenderer::Programs& MeshRenderer::ProgramsFor(int outerPoints, int innerPoints, int directionals) const {
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

void MeshRenderer::Draw(Display& display, GpuMesh& mesh, const glm::mat4& model, const Material& material,
                        const Lighting& lighting, float pixelAtOne) const {
    MeshDrawInputs inputs = GatherMeshInputs(mesh.Centre(), mesh.Radius(), model, material, lighting,
                                             display.Projection(), pixelAtOne);
    // The glows of particle systems flicker, and their light and spill reach over the
    // mesh (its inside through the openings, its wrapped-round walls, the strips lit at
    // their corners), so all of it changes with them.
    Change change;
    change.box = mesh.InView(model, inputs.steady.projection);
    change.steadyKey = SteadyFingerprint(&mesh, inputs);
    change.changed = mesh.LitAnew(GlowingFingerprint(inputs));
    if (!display.Drawing(change)) return;

    const MeshDrawInputs::Steady& steady = inputs.steady;
    const Programs& programs = ProgramsFor(steady.outerPoints, steady.innerPoints, steady.directionals);
    Upload(programs.faces, inputs, model);
    // One-sided, as in Direct3D: a triangle faces the camera when its corners run
    // clockwise on the screen.
    glEnable(GL_CULL_FACE);
    glFrontFace(GL_CW);
    mesh.Draw();
    if (pixelAtOne <= 0) return;
    // The strips lie on the faces they border, so they are drawn a hair nearer than those
    // faces, blended by how much of each pixel they cover, and leave the depth as it was.
    // They come in world coordinates.
    Upload(programs.strips, inputs, glm::mat4(1));
    glUniform1f(programs.strips.Uniform("towardsEye"), kLineNearer);
    glDisable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    glBlendEquation(GL_FUNC_ADD);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDepthMask(GL_FALSE);
    mesh.DrawOutline(model, pixelAtOne);
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
}

}  // namespace engine

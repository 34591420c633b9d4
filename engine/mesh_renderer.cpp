#include "engine/mesh_renderer.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <glm/gtc/type_ptr.hpp>

#include "engine/engine_state.h"
#include "engine/gl_context.h"
#include "engine/light_falloff.h"
#include "engine/mesh_outline.h"
#include "engine/mesh_shaders.h"

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

// A spill's centre and size are kept at least this far from zero (world units), so that
// one at the eye or of no size still gives the shader finite numbers.
constexpr float kNearestSpill = 1e-3f;

void SetMatrices(const ShaderProgram& program, const glm::mat4& model) {
    glm::mat3 normalMatrix = glm::transpose(glm::inverse(glm::mat3(model)));
    glUniformMatrix4fv(program.Uniform("model"), 1, GL_FALSE, glm::value_ptr(model));
    glUniformMatrix3fv(program.Uniform("normalMatrix"), 1, GL_FALSE, glm::value_ptr(normalMatrix));
}

// What a mesh is drawn with, where it lies, and whether it looks different from when it
// was last drawn: the glows of particle systems flicker, and their light and spill reach
// over the mesh (its inside through the openings, its wrapped-round walls, the strips lit
// at their corners), so all of it changes with them.
Change MeshChange(GpuMesh& mesh, const glm::mat4& model, const Material& material, const Lighting& lighting,
                  const glm::mat4& projection, float pixelAtOne) {
    Fingerprint steady;
    steady.Add(&mesh).Add(model).Add(projection).Add(pixelAtOne).Add(lighting.enabled);
    steady.Add(material.ambient).Add(material.diffuse).Add(material.specular).Add(material.emissive);
    steady.Add(material.power);
    for (const auto& [id, light] : *lighting.pointLights)
        steady.Add(id).Add(light.position).Add(light.colour).Add(light.range);
    for (const auto& [id, light] : *lighting.directionalLights) steady.Add(id).Add(light.direction).Add(light.colour);
    for (const auto& [system, glow] : *lighting.particleGlows) steady.Add(glow.light.position).Add(glow.light.range);
    Fingerprint glowing;
    if (lighting.enabled)
        for (const auto& [system, glow] : *lighting.particleGlows)
            glowing.Add(glow.light.colour).Add(glow.spill.centre).Add(glow.spill.halfSize).Add(glow.spill.colour);
    Change change;
    change.box = mesh.InView(model, projection);
    change.steadyKey = steady.Value();
    change.changed = mesh.LitAnew(glowing.Value());
    return change;
}

void SetVec3(const ShaderProgram& program, const char* name, const glm::vec3& v) {
    glUniform3fv(program.Uniform(name), 1, glm::value_ptr(v));
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
    glGenVertexArrays(1, &vertexArray_);
    glGenBuffers(1, &buffer_);
    glGenBuffers(1, &indexBuffer_);
    glBindVertexArray(vertexArray_);
    glBindBuffer(GL_ARRAY_BUFFER, buffer_);
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(MeshVertex)),
                 vertices.data(), GL_STATIC_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer_);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices.size() * sizeof(GLuint)),
                 indices.data(), GL_STATIC_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, sizeof(MeshVertex),
                          reinterpret_cast<void*>(offsetof(MeshVertex, position)));
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, sizeof(MeshVertex),
                          reinterpret_cast<void*>(offsetof(MeshVertex, normal)));

    std::vector<glm::vec3> positions, normals;
    for (const MeshVertex& vertex : vertices) {
        positions.push_back(vertex.position);
        normals.push_back(vertex.normal);
    }
    outline_ = std::make_unique<MeshOutline>(positions, normals, indices);
    corners_ = positions;
    glGenVertexArrays(1, &outlineArray_);
    glGenBuffers(1, &outlineBuffer_);
    glBindVertexArray(outlineArray_);
    glBindBuffer(GL_ARRAY_BUFFER, outlineBuffer_);
    const GLsizei stride = sizeof(StripVertex);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(offsetof(StripVertex, position)));
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 3, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(offsetof(StripVertex, normal)));
    glEnableVertexAttribArray(2);
    glVertexAttribPointer(2, 1, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(offsetof(StripVertex, across)));
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
    glm::mat4 projection = display.Projection();
    glm::vec3 centre(model * glm::vec4(mesh.Centre(), 1));
    float radius = mesh.Radius() * std::max({glm::length(glm::vec3(model[0])), glm::length(glm::vec3(model[1])),
                                             glm::length(glm::vec3(model[2]))});
    struct PointSlots {
        int count = 0;
        glm::vec4 places[kMaxPointLights] = {};
        glm::vec3 colours[kMaxPointLights] = {};
    } outer, inner;
    int points = 0;
    auto addPoint = [&](const PointLight& light) {
        if (points == kMaxPointLights || !(light.range > 0)) return;
        ++points;
        PointSlots& slots = glm::length(light.position - centre) < radius ? inner : outer;
        glm::vec4 place(light.position, 1.0f / light.range);
        // Lights at one place with one range light every pixel alike, so their colours add
        // up in one slot (a flame's glow and its smoke's): each slot costs every pixel.
        for (int i = 0; i < slots.count; ++i)
            if (slots.places[i] == place) {
                slots.colours[i] += light.colour;
                return;
            }
        slots.places[slots.count] = place;
        slots.colours[slots.count++] = light.colour;
    };
    for (const auto& [id, light] : *lighting.pointLights) addPoint(light);
    LightSpill spill;
    for (const auto& [system, glow] : *lighting.particleGlows) {
        addPoint(glow.light);
        // One spill a draw: a scene holds one candle.
        if (spill.colour == glm::vec3(0)) spill = glow.spill;
    }
    glm::vec3 towards[kMaxDirectionalLights] = {}, directionalColours[kMaxDirectionalLights] = {};
    int directionals = 0;
    for (const auto& [id, light] : *lighting.directionalLights) {
        if (directionals == kMaxDirectionalLights) break;
        if (glm::length(light.direction) > 0) towards[directionals] = -glm::normalize(light.direction);
        directionalColours[directionals++] = light.colour;
    }

    glm::vec3 insideCentre = inner.count > 0 ? glm::vec3(inner.places[0]) : centre;
    if (!display.Drawing(MeshChange(mesh, model, material, lighting, projection, pixelAtOne))) return;

    const Programs& programs = ProgramsFor(outer.count, inner.count, directionals);
    // Both programs take the same lights and material.
    auto setLights = [&](const ShaderProgram& program) {
        program.Use();
        glUniformMatrix4fv(program.Uniform("projection"), 1, GL_FALSE, glm::value_ptr(projection));
        SetVec3(program, "ambientAndEmissive", glm::vec3(material.ambient) + glm::vec3(material.emissive));
        SetVec3(program, "diffuse", glm::vec3(material.diffuse));
        glUniform1f(program.Uniform("opacity"), material.diffuse.a);
        SetVec3(program, "specular", glm::vec3(material.specular));
        glUniform1f(program.Uniform("power"), material.power);
        glUniform1i(program.Uniform("lit"), lighting.enabled ? 1 : 0);
        SetVec3(program, "insideCentre", insideCentre);
        glUniform4fv(program.Uniform("outerPointPlace"), kMaxPointLights, glm::value_ptr(outer.places[0]));
        glUniform3fv(program.Uniform("outerPointColour"), kMaxPointLights, glm::value_ptr(outer.colours[0]));
        glUniform4fv(program.Uniform("innerPointPlace"), kMaxPointLights, glm::value_ptr(inner.places[0]));
        glUniform3fv(program.Uniform("innerPointColour"), kMaxPointLights, glm::value_ptr(inner.colours[0]));
        glUniform3fv(program.Uniform("directionalToward"), kMaxDirectionalLights, glm::value_ptr(towards[0]));
        glUniform3fv(program.Uniform("directionalColour"), kMaxDirectionalLights, glm::value_ptr(directionalColours[0]));
        float spillDepth = std::max(spill.centre.z, kNearestSpill);
        glUniform2fv(program.Uniform("spillCentre"), 1, glm::value_ptr(glm::vec2(spill.centre) / spillDepth));
        glUniform2fv(program.Uniform("spillInverseHalfSize"), 1,
                     glm::value_ptr(spillDepth / glm::max(spill.halfSize, glm::vec2(kNearestSpill))));
        SetVec3(program, "spillColour", lighting.enabled ? spill.colour : glm::vec3(0));
    };
    setLights(programs.faces);
    // One-sided, as in Direct3D: a triangle faces the camera when its corners run
    // clockwise on the screen.
    glEnable(GL_CULL_FACE);
    glFrontFace(GL_CW);
    SetMatrices(programs.faces, model);
    mesh.Draw();
    if (pixelAtOne <= 0) return;
    // The strips lie on the faces they border, so they are drawn a hair nearer than those
    // faces, blended by how much of each pixel they cover, and leave the depth as it was.
    // They come in world coordinates.
    setLights(programs.strips);
    glUniform1f(programs.strips.Uniform("towardsEye"), kLineNearer);
    SetMatrices(programs.strips, glm::mat4(1));
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

#include "engine/mesh_renderer.h"

#include <algorithm>
#include <array>
#include <map>

#include "engine/mesh_outline.h"

namespace engine {

namespace {

// Each edge in view becomes a strip on the screen, in world coordinates: across runs
// from 0 on the edge to 1 at kStripPixels from it, and the strip covers a pixel the less
// the farther across it lies. An outline's strip lies on its outer side only, over what
// is behind, so that it blends the edge's stair into the background without darkening
// the face itself; a crease's strip lies on both sides.
constexpr float kStripPixels = 0.8f;

std::vector<StripVertex> OutlineStrips(MeshOutline& outline, const std::vector<float>& litFromWithin,
                                       const glm::mat4& model, float pixelAtOne) {
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
        float withinA = litFromWithin[edge.from], withinB = litFromWithin[edge.to];
        StripVertex a1{a + offsetA, na, withinA, 1}, b1{b + offsetB, nb, withinB, 1};
        StripVertex a0{a, na, withinA, 0}, b0{b, nb, withinB, 0};
        if (!edge.outline) {
            a0 = {a - offsetA, na, withinA, -1};
            b0 = {b - offsetB, nb, withinB, -1};
        }
        for (const StripVertex& v : {a0, b0, b1, a0, b1, a1}) strips.push_back(v);
    }
    return strips;
}

}  // namespace

GpuMesh::GpuMesh(DrawingLayer& layer, const std::vector<MeshVertex>& triangles) {
    // Corners that agree in position and normal are stored once and drawn by index, so
    // that each is transformed once rather than once for every triangle it belongs to.
    std::vector<MeshVertex> vertices;
    std::vector<std::uint32_t> indices;
    std::map<std::array<float, 7>, std::uint32_t> seen;
    for (const MeshVertex& corner : triangles) {
        std::array<float, 7> key{corner.position.x, corner.position.y, corner.position.z,
                                 corner.normal.x,   corner.normal.y,   corner.normal.z, corner.litFromWithin};
        auto [found, added] = seen.try_emplace(key, static_cast<std::uint32_t>(vertices.size()));
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
    layerMesh_ = layer.MakeMesh(vertices, indices);

    std::vector<glm::vec3> positions, normals;
    for (const MeshVertex& vertex : vertices) {
        positions.push_back(vertex.position);
        normals.push_back(vertex.normal);
        litFromWithin_.push_back(vertex.litFromWithin);
    }
    outline_ = std::make_unique<MeshOutline>(positions, normals, indices);
    corners_ = positions;
}

GpuMesh::~GpuMesh() = default;

void GpuMesh::Draw(DrawingLayer& layer, const MeshDrawInputs& inputs, bool depthTested) {
    const glm::mat4& model = inputs.steady.model;
    float pixelAtOne = inputs.steady.pixelAtOne;
    if (pixelAtOne > 0 && (model != stripsModel_ || pixelAtOne != stripsPixel_)) {
        stripsModel_ = model;
        stripsPixel_ = pixelAtOne;
        layerMesh_->SetStrips(OutlineStrips(*outline_, litFromWithin_, model, pixelAtOne));
    }
    layer.DrawMesh(*layerMesh_, inputs, depthTested);
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

void DrawMesh(Display& display, GpuMesh& mesh, const glm::mat4& model, const Material& material,
              const Lighting& lighting, float pixelAtOne, bool depthTested) {
    MeshDrawInputs inputs = GatherMeshInputs(mesh.Centre(), mesh.Radius(), model, material, lighting,
                                             display.Projection(), pixelAtOne);
    // The glows of particle systems flicker, and their light and spill reach over the
    // mesh (its inside through the openings, its wrapped-round walls, the strips lit at
    // their corners), so all of it changes with them.
    Change change;
    change.box = mesh.InView(model, inputs.steady.projection);
    change.steadyKey = SteadyFingerprint(&mesh, inputs);
    change.changed = mesh.LitAnew(GlowingFingerprint(inputs));
    if (display.Drawing(change)) mesh.Draw(display.Layer(), inputs, depthTested);
}

}  // namespace engine

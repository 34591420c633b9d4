#include "engine/mesh_outline.h"

#include <cmath>
#include <map>
#include <utility>

namespace engine {

namespace {
using Place = std::array<float, 3>;

const float kCreaseCosine = std::cos(glm::radians(MeshOutline::kCreaseDegrees));

Place PlaceOf(const glm::vec3& p) { return {p.x, p.y, p.z}; }

// Whether two faces meet along an edge through the very same vertices (a smooth join).
bool SameEnds(const std::array<std::uint32_t, 2>& a, const std::array<std::uint32_t, 2>& b) {
    return (a[0] == b[0] && a[1] == b[1]) || (a[0] == b[1] && a[1] == b[0]);
}
}  // namespace

MeshOutline::MeshOutline(const std::vector<glm::vec3>& positions, const std::vector<glm::vec3>& normals,
                         const std::vector<std::uint32_t>& triangleIndices)
    : positions_(positions), normals_(normals) {
    // Edges are matched by where their ends lie, not by vertex: at a crease each face has
    // vertices of its own, with its own normals.
    glm::vec3 low(0), high(0);
    if (!positions.empty()) low = high = positions[0];
    for (const glm::vec3& p : positions) {
        low = glm::min(low, p);
        high = glm::max(high, p);
    }
    glm::vec3 middle = (low + high) * 0.5f;
    std::map<std::pair<Place, Place>, int> edgeAt;
    for (std::size_t first = 0; first + 2 < triangleIndices.size(); first += 3) {
        std::array<std::uint32_t, 3> corners{triangleIndices[first], triangleIndices[first + 1], triangleIndices[first + 2]};
        const glm::vec3 &a = positions[corners[0]], &b = positions[corners[1]], &c = positions[corners[2]];
        glm::vec3 face = glm::cross(b - a, c - a);
        // The side the stored normals point out of is the shown one, whichever way the
        // corners run.
        if (glm::dot(face, normals[corners[0]] + normals[corners[1]] + normals[corners[2]]) < 0) face = -face;
        int triangle = static_cast<int>(triangles_.size());
        triangles_.push_back(corners);
        faceNormals_.push_back(face);
        outward_.push_back(glm::dot(face, (a + b + c) / 3.0f - middle) >= 0);
        for (int k = 0; k < 3; ++k) {
            std::uint32_t from = corners[k], to = corners[(k + 1) % 3];
            Place p = PlaceOf(positions[from]), q = PlaceOf(positions[to]);
            if (p == q) continue;
            auto key = p < q ? std::make_pair(p, q) : std::make_pair(q, p);
            auto [found, added] = edgeAt.try_emplace(key, static_cast<int>(edges_.size()));
            if (added) edges_.emplace_back();
            Edge& edge = edges_[found->second];
            // A third face on one edge is left out: the mesh is not a surface there.
            int side = edge.triangles[0] < 0 ? 0 : edge.triangles[1] < 0 ? 1 : -1;
            if (side < 0) continue;
            edge.triangles[side] = triangle;
            edge.ends[side] = {from, to};
            edge.beside[side] = corners[(k + 2) % 3];
        }
    }
}

const std::vector<MeshOutline::EdgeInView>& MeshOutline::EdgesInView(const glm::mat4& model) {
    if (model == lastModel_) return inView_;
    lastModel_ = model;
    // A face is in view when its shown side is turned towards the camera at the origin.
    glm::mat3 normalMatrix = glm::transpose(glm::inverse(glm::mat3(model)));
    std::vector<bool> inView(triangles_.size());
    for (std::size_t t = 0; t < triangles_.size(); ++t) {
        glm::vec3 corner(model * glm::vec4(positions_[triangles_[t][0]], 1));
        inView[t] = glm::dot(normalMatrix * faceNormals_[t], corner) < 0;
    }
    inView_.clear();
    auto add = [&](const Edge& edge, int side, bool outline) {
        inView_.push_back({edge.ends[side][0], edge.ends[side][1], edge.beside[side], outline});
    };
    for (const Edge& edge : edges_) {
        bool first = inView[edge.triangles[0]];
        bool second = edge.triangles[1] >= 0 && inView[edge.triangles[1]];
        bool outside = outward_[edge.triangles[0]] || (edge.triangles[1] >= 0 && outward_[edge.triangles[1]]);
        if (!outside) continue;
        if (first != second) {
            add(edge, first ? 0 : 1, true);
        } else if (first && second && !SameEnds(edge.ends[0], edge.ends[1]) &&
                   glm::dot(glm::normalize(faceNormals_[edge.triangles[0]]), glm::normalize(faceNormals_[edge.triangles[1]])) <
                       kCreaseCosine) {
            add(edge, 0, false);
            add(edge, 1, false);
        }
    }
    return inView_;
}

}  // namespace engine

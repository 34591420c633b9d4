#include "engine/mesh_geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace engine {

namespace {

constexpr std::uint32_t kEveryGroup = 0xFFFFFFFFu;

// The cross product's length is twice the area, so summing unnormalised face normals
// weights each face by its area.
glm::vec3 AreaNormal(const Model3dsObject& object, const std::array<std::uint16_t, 3>& face) {
    const glm::vec3& a = object.vertices[face[0]];
    return glm::cross(object.vertices[face[1]] - a, object.vertices[face[2]] - a);
}

void AppendObject(const Model3dsObject& object, const GeometryOptions& options,
                  std::vector<MeshVertex>& triangles) {
    std::size_t faceCount = object.faces.size();
    std::vector<glm::vec3> faceNormals(faceCount);
    std::vector<std::uint32_t> groups(faceCount, kEveryGroup);
    std::vector<std::vector<std::size_t>> facesOfVertex(object.vertices.size());
    for (std::size_t f = 0; f < faceCount; ++f) {
        faceNormals[f] = AreaNormal(object, object.faces[f]);
        if (options.useSmoothingGroups && !object.smoothingGroups.empty()) groups[f] = object.smoothingGroups[f];
        for (std::uint16_t v : object.faces[f]) facesOfVertex[v].push_back(f);
    }
    for (std::size_t f = 0; f < faceCount; ++f) {
        float area = glm::length(faceNormals[f]);
        if (!(area > 0) || !std::isfinite(area)) continue;
        glm::vec3 flat = faceNormals[f] / area;
        for (std::uint16_t v : object.faces[f]) {
            glm::vec3 normal = flat;
            if (options.computeNormals && groups[f] != 0) {
                glm::vec3 sum(0);
                for (std::size_t g : facesOfVertex[v])
                    if (g == f || (groups[g] & groups[f]) != 0) sum += faceNormals[g];
                float length = glm::length(sum);
                if (length > 0 && std::isfinite(length)) normal = sum / length;
            }
            triangles.push_back({object.vertices[v], normal});
        }
    }
}

}  // namespace

std::vector<MeshVertex> BuildTriangles(const Model3ds& model, const GeometryOptions& options) {
    std::vector<MeshVertex> triangles;
    for (const auto& object : model.objects) AppendObject(object, options, triangles);
    if (!options.keepOrigin && !triangles.empty()) {
        glm::vec3 low(std::numeric_limits<float>::max()), high(std::numeric_limits<float>::lowest());
        for (const auto& vertex : triangles) {
            low = glm::min(low, vertex.position);
            high = glm::max(high, vertex.position);
        }
        glm::vec3 centre = (low + high) * 0.5f;
        for (auto& vertex : triangles) vertex.position -= centre;
    }
    return triangles;
}

}  // namespace engine

#include "engine/mesh_geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace engine {

namespace {

constexpr std::uint32_t kEveryGroup = 0xFFFFFFFFu;

// The face's unit normal, or zero for a face without area.
glm::vec3 FaceNormal(const Model3dsObject& object, const std::array<std::uint16_t, 3>& face) {
    const glm::vec3& a = object.vertices[face[0]];
    glm::vec3 normal = glm::cross(object.vertices[face[1]] - a, object.vertices[face[2]] - a);
    float length = glm::length(normal);
    return length > 0 && std::isfinite(length) ? normal / length : glm::vec3(0);
}

// A face's share in the normal at one of its corners is the angle it spans there, so
// the smooth normal of a curved surface does not depend on how it was cut into
// triangles: a fan of slivers and one broad triangle with the same corner angle weigh
// the same.
float CornerAngle(const Model3dsObject& object, const std::array<std::uint16_t, 3>& face, std::uint16_t corner) {
    int at = face[0] == corner ? 0 : face[1] == corner ? 1 : 2;
    glm::vec3 p = object.vertices[face[at]];
    glm::vec3 a = object.vertices[face[(at + 1) % 3]] - p, b = object.vertices[face[(at + 2) % 3]] - p;
    float la = glm::length(a), lb = glm::length(b);
    if (!(la > 0) || !(lb > 0)) return 0;
    return std::acos(std::clamp(glm::dot(a, b) / (la * lb), -1.0f, 1.0f));
}

void AppendObject(const Model3dsObject& object, const GeometryOptions& options,
                  std::vector<MeshVertex>& triangles) {
    std::size_t faceCount = object.faces.size();
    std::vector<glm::vec3> faceNormals(faceCount);
    std::vector<std::uint32_t> groups(faceCount, kEveryGroup);
    std::vector<std::vector<std::size_t>> facesOfVertex(object.vertices.size());
    for (std::size_t f = 0; f < faceCount; ++f) {
        faceNormals[f] = FaceNormal(object, object.faces[f]);
        if (options.useSmoothingGroups && !object.smoothingGroups.empty()) groups[f] = object.smoothingGroups[f];
        for (std::uint16_t v : object.faces[f]) facesOfVertex[v].push_back(f);
    }
    for (std::size_t f = 0; f < faceCount; ++f) {
        if (faceNormals[f] == glm::vec3(0)) continue;
        for (std::uint16_t v : object.faces[f]) {
            glm::vec3 normal = faceNormals[f];
            if (options.computeNormals && groups[f] != 0) {
                glm::vec3 sum(0);
                for (std::size_t g : facesOfVertex[v])
                    if (g == f || (groups[g] & groups[f]) != 0)
                        sum += faceNormals[g] * CornerAngle(object, object.faces[g], v);
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

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

// The faces around each vertex, in face order, as one flat list: those of vertex v are
// faces[start[v]] up to faces[start[v + 1]].
struct FacesAroundVertices {
    std::vector<std::size_t> start;
    std::vector<std::size_t> faces;
};

FacesAroundVertices FacesAround(const Model3dsObject& object) {
    FacesAroundVertices around{std::vector<std::size_t>(object.vertices.size() + 1, 0), {}};
    for (const auto& face : object.faces)
        for (std::uint16_t v : face) ++around.start[v + 1];
    for (std::size_t v = 0; v < object.vertices.size(); ++v) around.start[v + 1] += around.start[v];
    around.faces.resize(around.start.back());
    std::vector<std::size_t> next(around.start.begin(), around.start.end() - 1);
    for (std::size_t f = 0; f < object.faces.size(); ++f)
        for (std::uint16_t v : object.faces[f]) around.faces[next[v]++] = f;
    return around;
}

// The faces around one vertex that share one smoothing-group mask, and the sum of their
// angle-weighted normals there.
struct MaskShare {
    std::uint32_t mask;
    glm::vec3 weighted;
    glm::vec3 smooth;
};

// Each corner's smooth normal: the angle-weighted normals of the faces around its
// vertex that share a smoothing group with its face. The faces around a vertex are summed
// once per distinct mask and the masks are then matched with each other, so the work
// grows with the corners times the masks met at a vertex (which the reader bounds), never
// with the square of the faces that share a vertex.
std::vector<glm::vec3> SmoothCornerNormals(const Model3dsObject& object, const std::vector<glm::vec3>& faceNormals,
                                           const std::vector<std::uint32_t>& groups) {
    std::vector<glm::vec3> corners(object.faces.size() * 3);
    for (std::size_t f = 0; f < object.faces.size(); ++f)
        for (int k = 0; k < 3; ++k) corners[f * 3 + k] = faceNormals[f];
    FacesAroundVertices around = FacesAround(object);
    std::vector<MaskShare> shares;
    std::vector<std::size_t> shareOf;
    for (std::size_t v = 0; v < object.vertices.size(); ++v) {
        auto vertex = static_cast<std::uint16_t>(v);
        shares.clear();
        shareOf.clear();
        for (std::size_t at = around.start[v]; at < around.start[v + 1]; ++at) {
            std::size_t g = around.faces[at];
            auto found = std::find_if(shares.begin(), shares.end(),
                                      [&](const MaskShare& share) { return share.mask == groups[g]; });
            if (found == shares.end()) found = shares.insert(shares.end(), {groups[g], glm::vec3(0), glm::vec3(0)});
            found->weighted += faceNormals[g] * CornerAngle(object, object.faces[g], vertex);
            shareOf.push_back(static_cast<std::size_t>(found - shares.begin()));
        }
        for (MaskShare& share : shares)
            for (const MaskShare& other : shares)
                if ((other.mask & share.mask) != 0) share.smooth += other.weighted;
        for (std::size_t at = around.start[v]; at < around.start[v + 1]; ++at) {
            std::size_t g = around.faces[at];
            glm::vec3 sum = shares[shareOf[at - around.start[v]]].smooth;
            float length = glm::length(sum);
            if (groups[g] == 0 || !(length > 0) || !std::isfinite(length)) continue;
            for (int k = 0; k < 3; ++k)
                if (object.faces[g][k] == vertex) corners[g * 3 + k] = sum / length;
        }
    }
    return corners;
}

void AppendObject(const Model3dsObject& object, const GeometryOptions& options,
                  std::vector<MeshVertex>& triangles) {
    std::size_t faceCount = object.faces.size();
    std::vector<glm::vec3> faceNormals(faceCount);
    std::vector<std::uint32_t> groups(faceCount, kEveryGroup);
    for (std::size_t f = 0; f < faceCount; ++f) {
        faceNormals[f] = FaceNormal(object, object.faces[f]);
        if (options.useSmoothingGroups && !object.smoothingGroups.empty()) groups[f] = object.smoothingGroups[f];
    }
    std::vector<glm::vec3> corners;
    if (options.computeNormals) corners = SmoothCornerNormals(object, faceNormals, groups);
    for (std::size_t f = 0; f < faceCount; ++f) {
        if (faceNormals[f] == glm::vec3(0)) continue;
        for (int k = 0; k < 3; ++k)
            triangles.push_back({object.vertices[object.faces[f][k]],
                                 options.computeNormals ? corners[f * 3 + k] : faceNormals[f]});
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

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

// The distinct smoothing-group masks of an object, and each face's place among them.
struct MaskIndex {
    std::vector<std::uint32_t> masks;
    std::vector<std::uint32_t> ofFace;
};

MaskIndex IndexMasks(const std::vector<std::uint32_t>& groups) {
    MaskIndex index{groups, std::vector<std::uint32_t>(groups.size())};
    std::sort(index.masks.begin(), index.masks.end());
    index.masks.erase(std::unique(index.masks.begin(), index.masks.end()), index.masks.end());
    for (std::size_t f = 0; f < groups.size(); ++f)
        index.ofFace[f] = static_cast<std::uint32_t>(
            std::lower_bound(index.masks.begin(), index.masks.end(), groups[f]) - index.masks.begin());
    return index;
}

// Each corner's smooth normal: the angle-weighted normals of the faces around its
// vertex that share a smoothing group with its face. Around each vertex the faces are
// summed once per distinct mask, and the masks are then matched with each other: the
// work grows with the corners times the masks met at a vertex (which the reader bounds),
// never with the square of the faces that share a vertex.
std::vector<glm::vec3> SmoothCornerNormals(const Model3dsObject& object, const std::vector<glm::vec3>& faceNormals,
                                           const std::vector<std::uint32_t>& groups) {
    std::vector<glm::vec3> corners(object.faces.size() * 3);
    for (std::size_t f = 0; f < object.faces.size(); ++f)
        for (int k = 0; k < 3; ++k) corners[f * 3 + k] = faceNormals[f];
    FacesAroundVertices around = FacesAround(object);
    MaskIndex index = IndexMasks(groups);
    constexpr std::uint32_t kNone = 0xFFFFFFFFu;
    // Per mask of the object, its place among the masks around the current vertex.
    std::vector<std::uint32_t> shareOfMask(index.masks.size(), kNone);
    // The masks around the current vertex, each with its faces' weighted normals summed
    // (weighted) and then with those of every mask it shares a group with (smooth).
    std::vector<std::uint32_t> shareMasks, shareMaskIds;
    std::vector<glm::vec3> weighted, smooth;
    for (std::size_t v = 0; v < object.vertices.size(); ++v) {
        auto vertex = static_cast<std::uint16_t>(v);
        shareMasks.clear();
        shareMaskIds.clear();
        weighted.clear();
        for (std::size_t at = around.start[v]; at < around.start[v + 1]; ++at) {
            std::size_t g = around.faces[at];
            std::uint32_t& share = shareOfMask[index.ofFace[g]];
            if (share == kNone) {
                share = static_cast<std::uint32_t>(shareMasks.size());
                shareMasks.push_back(groups[g]);
                shareMaskIds.push_back(index.ofFace[g]);
                weighted.push_back(glm::vec3(0));
            }
            weighted[share] += faceNormals[g] * CornerAngle(object, object.faces[g], vertex);
        }
        smooth.assign(shareMasks.size(), glm::vec3(0));
        for (std::size_t s = 0; s < shareMasks.size(); ++s) {
            glm::vec3 sum(0);
            // Without a branch: the masks meet at random, which a branch predicts badly.
            // The weighted normals are finite, so adding nothing times one leaves the sum.
            for (std::size_t o = 0; o < shareMasks.size(); ++o)
                sum += weighted[o] * static_cast<float>((shareMasks[o] & shareMasks[s]) != 0);
            smooth[s] = sum;
        }
        for (std::size_t at = around.start[v]; at < around.start[v + 1]; ++at) {
            std::size_t g = around.faces[at];
            glm::vec3 sum = smooth[shareOfMask[index.ofFace[g]]];
            float length = glm::length(sum);
            if (groups[g] == 0 || !(length > 0) || !std::isfinite(length)) continue;
            for (int k = 0; k < 3; ++k)
                if (object.faces[g][k] == vertex) corners[g * 3 + k] = sum / length;
        }
        for (std::uint32_t id : shareMaskIds) shareOfMask[id] = kNone;
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
    std::vector<float> litFromWithin(faceCount, 0.0f);
    for (const Model3dsMaterialFaces& material : object.materials)
        if (material.material == kLitFromWithinMaterial)
            for (std::uint16_t f : material.faces) litFromWithin[f] = 1.0f;
    for (std::size_t f = 0; f < faceCount; ++f) {
        if (faceNormals[f] == glm::vec3(0)) continue;
        for (int k = 0; k < 3; ++k)
            triangles.push_back({object.vertices[object.faces[f][k]],
                                 options.computeNormals ? corners[f * 3 + k] : faceNormals[f], litFromWithin[f]});
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

// Shares vertices by surface key and orients faces by the front direction given.
#include "mesh_builder.h"

#include <cmath>
#include <stdexcept>

namespace media {

namespace {
// Keys closer than this are one vertex: the clipping arithmetic leaves errors far below it.
constexpr double KeyResolution = 1e-6;
constexpr double SmallestArea = 1e-6;

long long Quantise(double value) { return std::llround(value / KeyResolution); }
}  // namespace

std::uint16_t MeshBuilder::AddVertex(int surface, glm::dvec2 key, const MeshVertex& vertex) {
    const auto id = std::make_tuple(surface, Quantise(key.x), Quantise(key.y));
    if (auto found = shared_.find(id); found != shared_.end()) return found->second;
    if (mesh_.vertices.size() >= 0xFFFF) throw std::length_error("a 3DS object holds at most 65535 vertices");
    const auto index = static_cast<std::uint16_t>(mesh_.vertices.size());
    mesh_.vertices.push_back(vertex);
    shared_.emplace(id, index);
    return index;
}

void MeshBuilder::AddTriangle(std::uint16_t a, std::uint16_t b, std::uint16_t c,
                              glm::dvec3 frontDirection, std::uint32_t smoothingGroups, LitBy litBy) {
    const glm::dvec3 pa = mesh_.vertices[a].position;
    const glm::dvec3 normal = glm::cross(mesh_.vertices[b].position - pa, mesh_.vertices[c].position - pa);
    if (glm::length(normal) < SmallestArea) return;
    if (mesh_.faces.size() >= 0xFFFF) throw std::length_error("a 3DS object holds at most 65535 faces");
    if (glm::dot(normal, frontDirection) < 0) std::swap(b, c);
    mesh_.faces.push_back({a, b, c, smoothingGroups, litBy});
}

}  // namespace media

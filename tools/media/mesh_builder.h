// A triangle mesh as the 3DS writer needs it, built face by face with shared vertices and
// every face wound so that its front looks the way the caller says.
#pragma once
#include <cstdint>
#include <map>
#include <tuple>
#include <vector>

#include <glm/glm.hpp>

namespace media {

struct MeshVertex {
    glm::dvec3 position;
    glm::dvec2 textureCoords;
};

// Whether a face is lit by the light around the model or only by the light within it:
// the cut flesh of a carving (its inner shell and the walls round its openings) and what
// stands inside it.
enum class LitBy { Outside, Within };

struct MeshFace {
    std::uint16_t a, b, c;
    std::uint32_t smoothingGroups;
    LitBy litBy;
};

struct Mesh {
    std::vector<MeshVertex> vertices;
    std::vector<MeshFace> faces;
};

// Vertices are shared only within one surface (one smoothing group), so that a loader that
// averages normals over shared vertices keeps the creases between surfaces sharp.
class MeshBuilder {
public:
    // key identifies the vertex within its surface (for example its surface coordinates);
    // the same surface and key give the same vertex.
    std::uint16_t AddVertex(int surface, glm::dvec2 key, const MeshVertex& vertex);

    // Winding: front faces are clockwise seen from their front in our left-handed frame,
    // which makes cross(b - a, c - a) point out of the front. Slivers are dropped.
    void AddTriangle(std::uint16_t a, std::uint16_t b, std::uint16_t c, glm::dvec3 frontDirection,
                     std::uint32_t smoothingGroups, LitBy litBy);

    const Mesh& Result() const { return mesh_; }

private:
    Mesh mesh_;
    std::map<std::tuple<int, long long, long long>, std::uint16_t> shared_;
};

}  // namespace media

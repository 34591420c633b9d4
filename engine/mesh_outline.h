// The edges of a mesh's outside that show as a step in the picture: its outline against
// what lies behind it (an edge between a face turned towards the camera and one turned
// away, or the edge of a face that has no neighbour) and its sharp creases in view (two
// faces in view that meet at an angle of more than kCreaseDegrees, each with its own
// normals there, such as a skin and the cut wall of an opening). A face turned towards
// the middle of the mesh's bounds is the inside of a shell, mostly hidden by its outside,
// and its edges are left out: each strip costs a software rasteriser as much as a face. Drawn as thin strips over the mesh, in
// the mesh's own shading and fading out across their width, they blend each stair of
// those edges with what lies beside it, so that the edges look clean on a renderer
// without multisampling, for a few thousand pixels.
#pragma once
#include <glm/glm.hpp>

#include <array>
#include <cstdint>
#include <vector>

namespace engine {

class MeshOutline {
public:
    static constexpr float kCreaseDegrees = 40.0f;

    // positions[i] is where vertex i lies; every three indices make a triangle, its
    // corners running so that normals (one a vertex) point out of its shown side.
    MeshOutline(const std::vector<glm::vec3>& positions, const std::vector<glm::vec3>& normals,
                const std::vector<std::uint32_t>& triangleIndices);

    // An edge that shows: its two vertices and the third corner of a face in view beside
    // it (for an outline, the face whose edge it is: the outline's inner side).
    struct EdgeInView {
        std::uint32_t from, to, besideCorner;
        bool outline;
    };
    // The edges that show when the mesh is placed by model before a camera at the origin:
    // an outline edge once, with the vertices of its face in view; a crease once for each
    // of its faces, with that face's vertices.
    const std::vector<EdgeInView>& EdgesInView(const glm::mat4& model);
    const glm::vec3& Position(std::uint32_t vertex) const { return positions_[vertex]; }
    const glm::vec3& Normal(std::uint32_t vertex) const { return normals_[vertex]; }

private:
    struct Edge {
        // The triangles on either side (the second -1 when there is none) and, for each,
        // its two vertices along the edge.
        std::array<int, 2> triangles{-1, -1};
        std::array<std::array<std::uint32_t, 2>, 2> ends{};
        // Each side's third corner.
        std::array<std::uint32_t, 2> beside{};
    };

    std::vector<glm::vec3> positions_;
    std::vector<glm::vec3> normals_;
    // Each triangle's corners and the normal of its shown side.
    std::vector<std::array<std::uint32_t, 3>> triangles_;
    std::vector<glm::vec3> faceNormals_;
    std::vector<bool> outward_;
    std::vector<Edge> edges_;
    glm::mat4 lastModel_{0};
    std::vector<EdgeInView> inView_;
};

}  // namespace engine

// Our reader of 3DS model files: the triangle meshes' vertices, faces, texture
// coordinates, smoothing groups and face materials. Everything else in the file is skipped. Malformed
// or truncated input is refused with a RuntimeError that says what is wrong and where.
#pragma once
#include <glm/glm.hpp>

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace engine {

// The faces of an object that its file gives one material (the face material list).
struct Model3dsMaterialFaces {
    std::string material;
    std::vector<std::uint16_t> faces;
};

// The material a model gives its surfaces that only the light within it reaches: the cut
// flesh of a carving (its inner shell and the walls round its openings) and whatever
// stands inside. Every other face is lit as the model's outside.
inline constexpr char kLitFromWithinMaterial[] = "inside";

struct Model3dsObject {
    std::string name;
    std::vector<glm::vec3> vertices;
    // One per vertex when the file gives them, else empty.
    std::vector<glm::vec2> texCoords;
    std::vector<std::array<std::uint16_t, 3>> faces;
    // One bit mask per face when the file gives them, else empty.
    std::vector<std::uint32_t> smoothingGroups;
    std::vector<Model3dsMaterialFaces> materials;
};

// The most different smoothing-group masks one object's faces may use. Real models use a
// few dozen; the smooth normals' work grows with this bound times the corners.
constexpr std::size_t kMaxSmoothingMasks = 256;

struct Model3ds {
    std::vector<Model3dsObject> objects;
};

Model3ds Parse3ds(const std::uint8_t* data, std::size_t size);
// Reads the file through ReadMediaFile, so only a regular file of at most kMaxModelBytes.
Model3ds Read3dsFile(const std::string& path);

}  // namespace engine

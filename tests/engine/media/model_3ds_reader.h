// A strict reader of the 3DS files the saver loads: walks the chunk tree, refusing any
// chunk that overruns its parent, and collects the one triangle mesh.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include <glm/glm.hpp>

namespace media_test {

struct Model3ds {
    std::vector<std::uint16_t> chunkPath;  // ids of every chunk met, in file order
    std::string objectName;
    std::vector<glm::vec3> vertices;
    std::vector<glm::vec2> textureCoords;
    std::vector<std::uint16_t> corners;  // three per face
    std::vector<std::uint16_t> faceFlags;
    std::vector<std::uint32_t> smoothingGroups;
};

// Throws std::runtime_error on a malformed file.
Model3ds ReadModel3ds(const std::vector<std::uint8_t>& bytes);

std::vector<std::uint8_t> ReadFileBytes(const std::string& path);

}  // namespace media_test

// Whole 3DS files for the engine's tests, from the chunks the media generator writes its
// model with; tests can also cut and bend the chunks into malformed files.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/model_3ds/model_3ds_chunks.h"

namespace enginetest {

using model3ds::Bytes;
using model3ds::Chunk;
using model3ds::FaceMaterialChunk;
using model3ds::FacesChunk;
using model3ds::Join;
using model3ds::ObjectChunk;
using model3ds::PutFloat;
using model3ds::PutU16;
using model3ds::PutU32;
using model3ds::SmoothingChunk;
using model3ds::TexCoordsChunk;
using model3ds::VerticesChunk;

struct TestObject {
    std::string name;
    std::vector<std::array<float, 3>> vertices;
    std::vector<std::array<std::uint16_t, 3>> faces;
    std::vector<std::array<float, 2>> texCoords;
    std::vector<std::uint32_t> smoothingGroups;
};

// A whole file: main chunk, editor chunk, one object chunk per object.
Bytes ModelFile(const std::vector<TestObject>& objects);
void WriteFile(const std::string& path, const Bytes& bytes);

}  // namespace enginetest

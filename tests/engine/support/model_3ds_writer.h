// Writes small 3DS files for the engine's tests: chunks built by hand, so that tests can
// also cut and bend them into malformed ones.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace enginetest {

using Bytes = std::vector<std::uint8_t>;

// A chunk: id, length (header included), then the body.
Bytes Chunk(std::uint16_t id, const Bytes& body);
Bytes Join(std::initializer_list<Bytes> parts);
void PutU16(Bytes& out, std::uint16_t value);
void PutU32(Bytes& out, std::uint32_t value);
void PutFloat(Bytes& out, float value);

struct TestObject {
    std::string name;
    std::vector<std::array<float, 3>> vertices;
    std::vector<std::array<std::uint16_t, 3>> faces;
    std::vector<std::array<float, 2>> texCoords;
    std::vector<std::uint32_t> smoothingGroups;
};

Bytes VerticesChunk(const std::vector<std::array<float, 3>>& vertices);
Bytes FacesChunk(const std::vector<std::array<std::uint16_t, 3>>& faces, const Bytes& subChunks = {});
Bytes SmoothingChunk(const std::vector<std::uint32_t>& groups);
Bytes TexCoordsChunk(const std::vector<std::array<float, 2>>& texCoords);
Bytes ObjectChunk(const std::string& name, const Bytes& meshBody);
// A whole file: main chunk, editor chunk, one object chunk per object.
Bytes ModelFile(const std::vector<TestObject>& objects);
void WriteFile(const std::string& path, const Bytes& bytes);

}  // namespace enginetest

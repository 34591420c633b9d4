// The chunks of a 3D Studio (.3ds) file, each built whole: the media generator writes the
// saver's model from them, and the engine's tests build small and malformed files from
// them. Every chunk is its id, its length (header included) and its body; all numbers
// little-endian. Header-only, so that every program that builds models (the benchmarks
// too) has it from the source root.
#pragma once
#include <array>
#include <bit>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace model3ds {

using Bytes = std::vector<std::uint8_t>;

enum ChunkId : std::uint16_t {
    Main = 0x4D4D,
    FileVersion = 0x0002,
    Editor = 0x3D3D,
    MeshVersion = 0x3D3E,
    MasterScale = 0x0100,
    Object = 0x4000,
    TriangleMesh = 0x4100,
    Vertices = 0x4110,
    TextureCoordinates = 0x4140,
    LocalAxes = 0x4160,
    Faces = 0x4120,
    SmoothingGroups = 0x4150,
    FaceMaterial = 0x4130,
    Material = 0xAFFF,
    MaterialName = 0xA000,
};

// A face's edges AB, BC and CA all visible, as modelling tools write plain triangles.
inline constexpr std::uint16_t AllEdgesVisible = 0x0007;

inline void PutU16(Bytes& out, std::uint16_t value) {
    out.push_back(value & 0xFF);
    out.push_back(value >> 8);
}

inline void PutU32(Bytes& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back((value >> (8 * i)) & 0xFF);
}

inline void PutFloat(Bytes& out, float value) { PutU32(out, std::bit_cast<std::uint32_t>(value)); }

inline Bytes Chunk(std::uint16_t id, const Bytes& body) {
    Bytes out;
    PutU16(out, id);
    PutU32(out, static_cast<std::uint32_t>(body.size() + 6));
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

inline Bytes Join(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
    return out;
}

inline Bytes VerticesChunk(const std::vector<std::array<float, 3>>& vertices) {
    Bytes body;
    PutU16(body, static_cast<std::uint16_t>(vertices.size()));
    for (const auto& v : vertices)
        for (float c : v) PutFloat(body, c);
    return Chunk(Vertices, body);
}

// The sub-chunks (smoothing groups, face materials) nest inside the face chunk.
inline Bytes FacesChunk(const std::vector<std::array<std::uint16_t, 3>>& faces, const Bytes& subChunks = {}) {
    Bytes body;
    PutU16(body, static_cast<std::uint16_t>(faces.size()));
    for (const auto& f : faces) {
        for (std::uint16_t index : f) PutU16(body, index);
        PutU16(body, AllEdgesVisible);
    }
    body.insert(body.end(), subChunks.begin(), subChunks.end());
    return Chunk(Faces, body);
}

inline Bytes SmoothingChunk(const std::vector<std::uint32_t>& groups) {
    Bytes body;
    for (std::uint32_t g : groups) PutU32(body, g);
    return Chunk(SmoothingGroups, body);
}

// The faces that have the named material; nests inside the face chunk.
inline Bytes FaceMaterialChunk(const std::string& material, const std::vector<std::uint16_t>& faces) {
    Bytes body(material.begin(), material.end());
    body.push_back(0);
    PutU16(body, static_cast<std::uint16_t>(faces.size()));
    for (std::uint16_t face : faces) PutU16(body, face);
    return Chunk(FaceMaterial, body);
}

// A material of the editor, known by its name alone.
inline Bytes MaterialChunk(const std::string& name) {
    Bytes body(name.begin(), name.end());
    body.push_back(0);
    return Chunk(Material, Chunk(MaterialName, body));
}

inline Bytes TexCoordsChunk(const std::vector<std::array<float, 2>>& texCoords) {
    Bytes body;
    PutU16(body, static_cast<std::uint16_t>(texCoords.size()));
    for (const auto& uv : texCoords)
        for (float c : uv) PutFloat(body, c);
    return Chunk(TextureCoordinates, body);
}

// A named object holding one triangle mesh with the given chunks.
inline Bytes ObjectChunk(const std::string& name, const Bytes& meshBody) {
    Bytes body(name.begin(), name.end());
    body.push_back(0);
    return Chunk(Object, Join({body, Chunk(TriangleMesh, meshBody)}));
}

}  // namespace model3ds

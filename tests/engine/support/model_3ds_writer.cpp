#include "model_3ds_writer.h"

#include <cstring>
#include <fstream>
#include <stdexcept>

namespace enginetest {

void PutU16(Bytes& out, std::uint16_t value) {
    out.push_back(value & 0xFF);
    out.push_back(value >> 8);
}

void PutU32(Bytes& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back((value >> (8 * i)) & 0xFF);
}

void PutFloat(Bytes& out, float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    PutU32(out, bits);
}

Bytes Chunk(std::uint16_t id, const Bytes& body) {
    Bytes out;
    PutU16(out, id);
    PutU32(out, static_cast<std::uint32_t>(body.size() + 6));
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

Bytes Join(std::initializer_list<Bytes> parts) {
    Bytes out;
    for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
    return out;
}

Bytes VerticesChunk(const std::vector<std::array<float, 3>>& vertices) {
    Bytes body;
    PutU16(body, static_cast<std::uint16_t>(vertices.size()));
    for (const auto& v : vertices)
        for (float c : v) PutFloat(body, c);
    return Chunk(0x4110, body);
}

Bytes FacesChunk(const std::vector<std::array<std::uint16_t, 3>>& faces, const Bytes& subChunks) {
    Bytes body;
    PutU16(body, static_cast<std::uint16_t>(faces.size()));
    for (const auto& f : faces) {
        for (std::uint16_t index : f) PutU16(body, index);
        PutU16(body, 7);
    }
    body.insert(body.end(), subChunks.begin(), subChunks.end());
    return Chunk(0x4120, body);
}

Bytes SmoothingChunk(const std::vector<std::uint32_t>& groups) {
    Bytes body;
    for (std::uint32_t g : groups) PutU32(body, g);
    return Chunk(0x4150, body);
}

Bytes TexCoordsChunk(const std::vector<std::array<float, 2>>& texCoords) {
    Bytes body;
    PutU16(body, static_cast<std::uint16_t>(texCoords.size()));
    for (const auto& uv : texCoords)
        for (float c : uv) PutFloat(body, c);
    return Chunk(0x4140, body);
}

Bytes ObjectChunk(const std::string& name, const Bytes& meshBody) {
    Bytes body(name.begin(), name.end());
    body.push_back(0);
    Bytes mesh = Chunk(0x4100, meshBody);
    body.insert(body.end(), mesh.begin(), mesh.end());
    return Chunk(0x4000, body);
}

Bytes ModelFile(const std::vector<TestObject>& objects) {
    Bytes editor;
    for (const TestObject& object : objects) {
        Bytes mesh = VerticesChunk(object.vertices);
        Bytes faces = FacesChunk(object.faces, object.smoothingGroups.empty() ? Bytes{} : SmoothingChunk(object.smoothingGroups));
        mesh.insert(mesh.end(), faces.begin(), faces.end());
        if (!object.texCoords.empty()) {
            Bytes uv = TexCoordsChunk(object.texCoords);
            mesh.insert(mesh.end(), uv.begin(), uv.end());
        }
        Bytes chunk = ObjectChunk(object.name, mesh);
        editor.insert(editor.end(), chunk.begin(), chunk.end());
    }
    return Chunk(0x4D4D, Chunk(0x3D3D, editor));
}

void WriteFile(const std::string& path, const Bytes& bytes) {
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!file) throw std::runtime_error("cannot write " + path);
}

}  // namespace enginetest

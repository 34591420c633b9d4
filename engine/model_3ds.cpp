#include "engine/model_3ds.h"

#include <algorithm>
#include <sstream>

#include "common/runtime_error.h"
#include "engine/byte_reader.h"
#include "engine/media_file.h"

namespace engine {

namespace {

// The chunks we read; every other chunk is stepped over by its length.
constexpr std::uint16_t kMain = 0x4D4D;
constexpr std::uint16_t kEditor = 0x3D3D;
constexpr std::uint16_t kObject = 0x4000;
constexpr std::uint16_t kTriangleMesh = 0x4100;
constexpr std::uint16_t kVertices = 0x4110;
constexpr std::uint16_t kFaces = 0x4120;
constexpr std::uint16_t kTexCoords = 0x4140;
constexpr std::uint16_t kSmoothing = 0x4150;
constexpr std::uint16_t kFaceMaterial = 0x4130;
constexpr std::size_t kChunkHeader = 6;

RuntimeError Malformed(const std::string& what, std::size_t offset) {
    std::ostringstream text;
    text << "malformed 3DS model: " << what << " at byte " << offset;
    return RuntimeError(ErrorCode::InvalidArgument, text.str());
}

// A bounded view of one chunk of the file.
using Cursor = ByteReader;

Cursor ChunkBody(const std::uint8_t* data, std::size_t begin, std::size_t end) {
    return Cursor(data, begin, end, Malformed, " runs past the end of its chunk");
}

struct Chunk {
    std::uint16_t id;
    std::size_t begin;  // first byte after the header
    std::size_t end;
};

// Reads the header of the chunk at the cursor and moves the cursor past the chunk.
Chunk NextChunk(Cursor& parent) {
    std::size_t start = parent.Position();
    if (parent.Remaining() < kChunkHeader) throw Malformed("truncated chunk header", start);
    std::uint16_t id = parent.U16("chunk id");
    std::uint32_t length = parent.U32("chunk length");
    if (length < kChunkHeader) throw Malformed("chunk length shorter than its header", start);
    if (length - kChunkHeader > parent.Remaining())
        throw Malformed("chunk length points past the end of its parent", start);
    Chunk chunk{id, start + kChunkHeader, start + length};
    parent = parent.Part(chunk.end, parent.Position() + parent.Remaining());
    return chunk;
}

void CheckFacesAgainstVertices(const Model3dsObject& object, std::size_t offset) {
    for (const auto& face : object.faces)
        for (std::uint16_t index : face)
            if (index >= object.vertices.size())
                throw Malformed("face refers to vertex " + std::to_string(index) + " of " +
                              std::to_string(object.vertices.size()) + " in object \"" + object.name + "\"",
                          offset);
}

void ReadSmoothingGroups(const std::uint8_t* data, const Chunk& sub, std::size_t offset, Model3dsObject& object) {
    std::size_t count = object.faces.size();
    Cursor groups = ChunkBody(data, sub.begin, sub.end);
    if (groups.Remaining() != count * 4)
        throw Malformed("smoothing groups do not match the " + std::to_string(count) + " faces", offset);
    object.smoothingGroups.resize(count);
    for (auto& mask : object.smoothingGroups) mask = groups.U32("smoothing group");
    std::vector<std::uint32_t> masks = object.smoothingGroups;
    std::sort(masks.begin(), masks.end());
    if (std::unique(masks.begin(), masks.end()) - masks.begin() > static_cast<std::ptrdiff_t>(kMaxSmoothingMasks))
        throw Malformed("more than " + std::to_string(kMaxSmoothingMasks) + " different smoothing groups", offset);
}

// A material's name, then how many faces have it and which.
void ReadFaceMaterial(const std::uint8_t* data, const Chunk& sub, std::size_t offset, Model3dsObject& object) {
    Cursor body = ChunkBody(data, sub.begin, sub.end);
    Model3dsMaterialFaces material{body.Text("material name"), {}};
    std::uint16_t count = body.U16("material face count");
    body.Need(static_cast<std::size_t>(count) * 2, "material face list");
    material.faces.resize(count);
    for (auto& face : material.faces) {
        face = body.U16("material face");
        if (face >= object.faces.size())
            throw Malformed("material \"" + material.material + "\" names face " + std::to_string(face) + " of " +
                                std::to_string(object.faces.size()),
                            offset);
    }
    object.materials.push_back(std::move(material));
}

void ReadFaces(const std::uint8_t* data, const Chunk& chunk, Model3dsObject& object) {
    Cursor cursor = ChunkBody(data, chunk.begin, chunk.end);
    std::uint16_t count = cursor.U16("face count");
    cursor.Need(static_cast<std::size_t>(count) * 8, "face list");
    object.faces.resize(count);
    // A later face list replaces an earlier one with its smoothing groups and materials.
    object.smoothingGroups.clear();
    object.materials.clear();
    for (auto& face : object.faces) {
        for (auto& index : face) index = cursor.U16("face");
        cursor.U16("face flags");
    }
    while (!cursor.AtEnd()) {
        std::size_t offset = cursor.Position();
        Chunk sub = NextChunk(cursor);
        if (sub.id == kSmoothing) ReadSmoothingGroups(data, sub, offset, object);
        if (sub.id == kFaceMaterial) ReadFaceMaterial(data, sub, offset, object);
    }
}

// A count, then that many points of N floats each: the vertices, or the texture
// coordinates.
template <glm::length_t N>
void ReadPoints(Cursor& body, const std::string& what, std::vector<glm::vec<N, float>>& points) {
    std::uint16_t count = body.U16((what + " count").c_str());
    body.Need(static_cast<std::size_t>(count) * N * 4, (what + " list").c_str());
    points.resize(count);
    for (auto& point : points)
        for (glm::length_t i = 0; i < N; ++i) point[i] = body.Float(what.c_str());
}

void ReadTriangleMesh(const std::uint8_t* data, const Chunk& mesh, Model3dsObject& object) {
    Cursor cursor = ChunkBody(data, mesh.begin, mesh.end);
    std::size_t texCoordsOffset = 0;
    while (!cursor.AtEnd()) {
        Chunk chunk = NextChunk(cursor);
        Cursor body = ChunkBody(data, chunk.begin, chunk.end);
        if (chunk.id == kVertices) {
            ReadPoints(body, "vertex", object.vertices);
        } else if (chunk.id == kFaces) {
            ReadFaces(data, chunk, object);
        } else if (chunk.id == kTexCoords) {
            texCoordsOffset = chunk.begin;
            ReadPoints(body, "texture coordinate", object.texCoords);
        }
    }
    CheckFacesAgainstVertices(object, mesh.begin);
    if (!object.texCoords.empty() && object.texCoords.size() != object.vertices.size())
        throw Malformed("texture coordinates do not match the vertices of object \"" + object.name + "\"",
                  texCoordsOffset);
}

void ReadObject(const std::uint8_t* data, const Chunk& chunk, Model3ds& model) {
    Cursor cursor = ChunkBody(data, chunk.begin, chunk.end);
    Model3dsObject object;
    object.name = cursor.Text("object name");
    while (!cursor.AtEnd()) {
        Chunk sub = NextChunk(cursor);
        if (sub.id == kTriangleMesh) ReadTriangleMesh(data, sub, object);
    }
    if (!object.faces.empty()) model.objects.push_back(std::move(object));
}

}  // namespace

Model3ds Parse3ds(const std::uint8_t* data, std::size_t size) {
    Cursor file = ChunkBody(data, 0, size);
    Chunk main = NextChunk(file);
    if (main.id != kMain) throw Malformed("not a 3DS file (no main chunk)", 0);
    Model3ds model;
    Cursor cursor = ChunkBody(data, main.begin, main.end);
    while (!cursor.AtEnd()) {
        Chunk chunk = NextChunk(cursor);
        if (chunk.id != kEditor) continue;
        Cursor editor = ChunkBody(data, chunk.begin, chunk.end);
        while (!editor.AtEnd()) {
            Chunk sub = NextChunk(editor);
            if (sub.id == kObject) ReadObject(data, sub, model);
        }
    }
    if (model.objects.empty())
        throw RuntimeError(ErrorCode::InvalidArgument, "3DS model holds no triangles");
    return model;
}

Model3ds Read3dsFile(const std::string& path) {
    std::vector<std::uint8_t> bytes = ReadMediaFile(path, kMaxModelBytes, "model");
    try {
        return Parse3ds(bytes.data(), bytes.size());
    } catch (const RuntimeError& failure) {
        throw RuntimeError(failure.code(), path + ": " + failure.what());
    }
}

}  // namespace engine

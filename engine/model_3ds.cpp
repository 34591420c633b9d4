#include "engine/model_3ds.h"

#include <algorithm>
#include <cstring>
#include <sstream>

#include "common/runtime_error.h"
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
constexpr std::size_t kChunkHeader = 6;

[[noreturn]] void Malformed(const std::string& what, std::size_t offset) {
    std::ostringstream text;
    text << "malformed 3DS model: " << what << " at byte " << offset;
    throw RuntimeError(ErrorCode::InvalidArgument, text.str());
}

// A bounded view of the file; every read checks that it stays inside.
class Cursor {
public:
    Cursor(const std::uint8_t* data, std::size_t begin, std::size_t end)
        : data_(data), position_(begin), end_(end) {}

    std::size_t Position() const { return position_; }
    std::size_t Remaining() const { return end_ - position_; }
    bool AtEnd() const { return position_ >= end_; }

    void Need(std::size_t bytes, const char* what) const {
        if (Remaining() < bytes) Malformed(std::string(what) + " runs past the end of its chunk", position_);
    }
    std::uint16_t U16(const char* what) {
        Need(2, what);
        std::uint16_t value = static_cast<std::uint16_t>(data_[position_] | data_[position_ + 1] << 8);
        position_ += 2;
        return value;
    }
    std::uint32_t U32(const char* what) {
        Need(4, what);
        std::uint32_t value = 0;
        for (int i = 3; i >= 0; --i) value = value << 8 | data_[position_ + i];
        position_ += 4;
        return value;
    }
    float Float(const char* what) {
        std::uint32_t bits = U32(what);
        float value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    std::string Text(const char* what) {
        std::string text;
        while (true) {
            Need(1, what);
            char c = static_cast<char>(data_[position_++]);
            if (c == '\0') return text;
            text += c;
        }
    }

private:
    const std::uint8_t* data_;
    std::size_t position_;
    std::size_t end_;
};

struct Chunk {
    std::uint16_t id;
    std::size_t begin;  // first byte after the header
    std::size_t end;
};

// Reads the header of the chunk at the cursor and moves the cursor past the chunk.
Chunk NextChunk(Cursor& parent, const std::uint8_t* data) {
    std::size_t start = parent.Position();
    if (parent.Remaining() < kChunkHeader) Malformed("truncated chunk header", start);
    std::uint16_t id = parent.U16("chunk id");
    std::uint32_t length = parent.U32("chunk length");
    if (length < kChunkHeader) Malformed("chunk length shorter than its header", start);
    if (length - kChunkHeader > parent.Remaining())
        Malformed("chunk length points past the end of its parent", start);
    Chunk chunk{id, start + kChunkHeader, start + length};
    parent = Cursor(data, chunk.end, parent.Position() + parent.Remaining());
    return chunk;
}

void CheckFacesAgainstVertices(const Model3dsObject& object, std::size_t offset) {
    for (const auto& face : object.faces)
        for (std::uint16_t index : face)
            if (index >= object.vertices.size())
                Malformed("face refers to vertex " + std::to_string(index) + " of " +
                              std::to_string(object.vertices.size()) + " in object \"" + object.name + "\"",
                          offset);
}

void ReadFaces(const std::uint8_t* data, const Chunk& chunk, Model3dsObject& object) {
    Cursor cursor(data, chunk.begin, chunk.end);
    std::uint16_t count = cursor.U16("face count");
    cursor.Need(static_cast<std::size_t>(count) * 8, "face list");
    object.faces.resize(count);
    // A later face list replaces an earlier one with its smoothing groups.
    object.smoothingGroups.clear();
    for (auto& face : object.faces) {
        for (auto& index : face) index = cursor.U16("face");
        cursor.U16("face flags");
    }
    while (!cursor.AtEnd()) {
        std::size_t offset = cursor.Position();
        Chunk sub = NextChunk(cursor, data);
        if (sub.id != kSmoothing) continue;
        Cursor groups(data, sub.begin, sub.end);
        if (groups.Remaining() != static_cast<std::size_t>(count) * 4)
            Malformed("smoothing groups do not match the " + std::to_string(count) + " faces", offset);
        object.smoothingGroups.resize(count);
        for (auto& mask : object.smoothingGroups) mask = groups.U32("smoothing group");
        std::vector<std::uint32_t> masks = object.smoothingGroups;
        std::sort(masks.begin(), masks.end());
        if (std::unique(masks.begin(), masks.end()) - masks.begin() > static_cast<std::ptrdiff_t>(kMaxSmoothingMasks))
            Malformed("more than " + std::to_string(kMaxSmoothingMasks) + " different smoothing groups", offset);
    }
}

void ReadTriangleMesh(const std::uint8_t* data, const Chunk& mesh, Model3dsObject& object) {
    Cursor cursor(data, mesh.begin, mesh.end);
    std::size_t texCoordsOffset = 0;
    while (!cursor.AtEnd()) {
        Chunk chunk = NextChunk(cursor, data);
        Cursor body(data, chunk.begin, chunk.end);
        if (chunk.id == kVertices) {
            std::uint16_t count = body.U16("vertex count");
            body.Need(static_cast<std::size_t>(count) * 12, "vertex list");
            object.vertices.resize(count);
            for (auto& v : object.vertices) {
                v.x = body.Float("vertex");
                v.y = body.Float("vertex");
                v.z = body.Float("vertex");
            }
        } else if (chunk.id == kFaces) {
            ReadFaces(data, chunk, object);
        } else if (chunk.id == kTexCoords) {
            texCoordsOffset = chunk.begin;
            std::uint16_t count = body.U16("texture coordinate count");
            body.Need(static_cast<std::size_t>(count) * 8, "texture coordinate list");
            object.texCoords.resize(count);
            for (auto& uv : object.texCoords) {
                uv.x = body.Float("texture coordinate");
                uv.y = body.Float("texture coordinate");
            }
        }
    }
    CheckFacesAgainstVertices(object, mesh.begin);
    if (!object.texCoords.empty() && object.texCoords.size() != object.vertices.size())
        Malformed("texture coordinates do not match the vertices of object \"" + object.name + "\"",
                  texCoordsOffset);
}

void ReadObject(const std::uint8_t* data, const Chunk& chunk, Model3ds& model) {
    Cursor cursor(data, chunk.begin, chunk.end);
    Model3dsObject object;
    object.name = cursor.Text("object name");
    while (!cursor.AtEnd()) {
        Chunk sub = NextChunk(cursor, data);
        if (sub.id == kTriangleMesh) ReadTriangleMesh(data, sub, object);
    }
    if (!object.faces.empty()) model.objects.push_back(std::move(object));
}

}  // namespace

Model3ds Parse3ds(const std::uint8_t* data, std::size_t size) {
    Cursor file(data, 0, size);
    Chunk main = NextChunk(file, data);
    if (main.id != kMain) Malformed("not a 3DS file (no main chunk)", 0);
    Model3ds model;
    Cursor cursor(data, main.begin, main.end);
    while (!cursor.AtEnd()) {
        Chunk chunk = NextChunk(cursor, data);
        if (chunk.id != kEditor) continue;
        Cursor editor(data, chunk.begin, chunk.end);
        while (!editor.AtEnd()) {
            Chunk sub = NextChunk(editor, data);
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

// The 3DS chunk tree: main 0x4D4D > editor 0x3D3D > object 0x4000 > triangle mesh 0x4100
// with vertices 0x4110, texture coordinates 0x4140, local axes 0x4160 and faces 0x4120,
// whose smoothing groups 0x4150 nest inside the face chunk. All numbers little-endian.
#include "model_3ds.h"

#include <bit>
#include <cstring>

namespace media {

namespace {
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
};

// Edges AB, BC and CA all visible, as modelling tools write them for plain triangles.
constexpr std::uint16_t AllEdgesVisible = 0x0007;

class ChunkWriter {
public:
    void Begin(ChunkId id) {
        U16(id);
        open_.push_back(bytes_.size());
        U32(0);  // the length, filled in by End
    }

    void End() {
        const std::size_t lengthAt = open_.back();
        open_.pop_back();
        const auto length = static_cast<std::uint32_t>(bytes_.size() - lengthAt + 2);
        for (int i = 0; i < 4; ++i) bytes_[lengthAt + i] = std::uint8_t(length >> (8 * i));
    }

    void U16(std::uint16_t v) { Bytes(v, 2); }
    void U32(std::uint32_t v) { Bytes(v, 4); }
    void Float(double v) { U32(std::bit_cast<std::uint32_t>(static_cast<float>(v))); }
    void Text(const std::string& text) {
        bytes_.insert(bytes_.end(), text.begin(), text.end());
        bytes_.push_back(0);
    }

    std::vector<std::uint8_t> Result() const { return bytes_; }

private:
    void Bytes(std::uint32_t v, int count) {
        for (int i = 0; i < count; ++i) bytes_.push_back(std::uint8_t(v >> (8 * i)));
    }

    std::vector<std::uint8_t> bytes_;
    std::vector<std::size_t> open_;
};

void WriteTriangleMesh(ChunkWriter& out, const Mesh& mesh) {
    const auto vertexCount = static_cast<std::uint16_t>(mesh.vertices.size());
    out.Begin(TriangleMesh);

    out.Begin(Vertices);
    out.U16(vertexCount);
    for (const auto& v : mesh.vertices) {
        out.Float(v.position.x);
        out.Float(v.position.y);
        out.Float(v.position.z);
    }
    out.End();

    out.Begin(TextureCoordinates);
    out.U16(vertexCount);
    for (const auto& v : mesh.vertices) {
        out.Float(v.textureCoords.x);
        out.Float(v.textureCoords.y);
    }
    out.End();

    // The object's own axes are the model's: an identity rotation and no offset.
    out.Begin(LocalAxes);
    for (double value : {1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0}) out.Float(value);
    out.End();

    out.Begin(Faces);
    out.U16(static_cast<std::uint16_t>(mesh.faces.size()));
    for (const auto& f : mesh.faces) {
        out.U16(f.a);
        out.U16(f.b);
        out.U16(f.c);
        out.U16(AllEdgesVisible);
    }
    out.Begin(SmoothingGroups);
    for (const auto& f : mesh.faces) out.U32(f.smoothingGroups);
    out.End();
    out.End();

    out.End();
}
}  // namespace

std::vector<std::uint8_t> Model3ds(const Mesh& mesh, const std::string& objectName) {
    ChunkWriter out;
    out.Begin(Main);
    out.Begin(FileVersion);
    out.U32(3);
    out.End();
    out.Begin(Editor);
    out.Begin(MeshVersion);
    out.U32(3);
    out.End();
    out.Begin(MasterScale);
    out.Float(1);
    out.End();
    out.Begin(Object);
    out.Text(objectName);
    WriteTriangleMesh(out, mesh);
    out.End();
    out.End();
    out.End();
    return out.Result();
}

}  // namespace media

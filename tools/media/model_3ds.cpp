// The 3DS chunk tree: main 0x4D4D > editor 0x3D3D > object 0x4000 > triangle mesh 0x4100
// with vertices 0x4110, texture coordinates 0x4140, local axes 0x4160 and faces 0x4120,
// whose smoothing groups 0x4150 and material list 0x4130 (the faces lit only from within,
// under a material 0xAFFF of the editor) nest inside the face chunk.
#include "model_3ds.h"

#include "engine/model_3ds.h"
#include "tools/model_3ds/model_3ds_chunks.h"

namespace media {

namespace {
using namespace model3ds;

Bytes TriangleMeshBody(const Mesh& mesh) {
    std::vector<std::array<float, 3>> positions;
    std::vector<std::array<float, 2>> texCoords;
    for (const auto& v : mesh.vertices) {
        positions.push_back({float(v.position.x), float(v.position.y), float(v.position.z)});
        texCoords.push_back({float(v.textureCoords.x), float(v.textureCoords.y)});
    }
    std::vector<std::array<std::uint16_t, 3>> faces;
    std::vector<std::uint32_t> smoothingGroups;
    std::vector<std::uint16_t> litFromWithin;
    for (const auto& f : mesh.faces) {
        if (f.litBy == LitBy::Within) litFromWithin.push_back(static_cast<std::uint16_t>(faces.size()));
        faces.push_back({f.a, f.b, f.c});
        smoothingGroups.push_back(f.smoothingGroups);
    }
    // The object's own axes are the model's: an identity rotation and no offset.
    Bytes axes;
    for (float value : {1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0}) PutFloat(axes, value);
    return Join({VerticesChunk(positions), TexCoordsChunk(texCoords), Chunk(LocalAxes, axes),
                 FacesChunk(faces, Join({SmoothingChunk(smoothingGroups),
                                         FaceMaterialChunk(engine::kLitFromWithinMaterial, litFromWithin)}))});
}

Bytes U32Body(std::uint32_t value) {
    Bytes body;
    PutU32(body, value);
    return body;
}

Bytes FloatBody(float value) {
    Bytes body;
    PutFloat(body, value);
    return body;
}
}  // namespace

std::vector<std::uint8_t> Model3ds(const Mesh& mesh, const std::string& objectName) {
    return Chunk(Main, Join({Chunk(FileVersion, U32Body(3)),
                             Chunk(Editor, Join({Chunk(MeshVersion, U32Body(3)),
                                                 Chunk(MasterScale, FloatBody(1)),
                                                 MaterialChunk(engine::kLitFromWithinMaterial),
                                                 ObjectChunk(objectName, TriangleMeshBody(mesh))}))}));
}

}  // namespace media

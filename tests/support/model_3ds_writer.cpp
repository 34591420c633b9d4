#include "model_3ds_writer.h"

#include <fstream>
#include <stdexcept>

namespace enginetest {

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

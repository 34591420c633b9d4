// The OpenGL layer's meshes: their corners and strips in buffers, and the programs that
// light them (engine/gl_mesh_shaders.h), one pair for each mix of lights.
#pragma once
#include <glad/gl.h>

#include <array>
#include <map>
#include <memory>

#include "engine/drawing_layer.h"
#include "engine/gl_shader_program.h"

namespace engine {

class GlMesh : public LayerMesh {
public:
    GlMesh(const std::vector<MeshVertex>& corners, const std::vector<std::uint32_t>& indices);
    ~GlMesh() override;
    GlMesh(const GlMesh&) = delete;
    GlMesh& operator=(const GlMesh&) = delete;

    void SetStrips(const std::vector<StripVertex>& strips) override;
    void DrawFaces() const;
    void DrawStrips() const;

private:
    GLuint vertexArray_ = 0, buffer_ = 0, indexBuffer_ = 0;
    GLsizei count_ = 0;
    GLuint stripArray_ = 0, stripBuffer_ = 0;
    GLsizei stripCount_ = 0;
};

class GlMeshDrawing {
public:
    void Draw(const GlMesh& mesh, const MeshDrawInputs& inputs, bool depthTested);

private:
    // The faces, lit for every pixel, and the smoothed edges, lit at their corners.
    struct Programs {
        ShaderProgram faces;
        ShaderProgram strips;
    };
    // Made when first needed.
    const Programs& ProgramsFor(int outerPoints, int innerPoints, int directionals);

    std::map<std::array<int, 3>, std::unique_ptr<Programs>> programs_;
};

}  // namespace engine

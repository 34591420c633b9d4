// The Direct3D 11 layer's meshes: their corners and strips in buffers, and the shaders that
// light them (engine/d3d11_mesh_shaders.h), one pair for each mix of lights. A mesh keeps
// what it was made from, to make its buffers again on a new device.
#pragma once
#include <array>
#include <map>
#include <memory>

#include "engine/d3d11_device.h"
#include "engine/d3d11_states.h"
#include "engine/drawing_layer.h"

namespace engine {

class D3d11Mesh : public LayerMesh {
public:
    D3d11Mesh(std::shared_ptr<D3d11Device> device, const std::vector<MeshVertex>& corners,
              const std::vector<std::uint32_t>& indices);

    void SetStrips(const std::vector<StripVertex>& strips) override;
    void DrawFaces();
    void DrawStrips();

private:
    // Makes the buffers again where they were made on an earlier device.
    void Follow();

    std::shared_ptr<D3d11Device> device_;
    std::vector<MeshVertex> corners_;
    std::vector<std::uint32_t> indices_;
    std::vector<StripVertex> strips_;
    int generation_ = 0;
    ComPtr<ID3D11Buffer> corners_buffer_, indices_buffer_, strips_buffer_;
};

class D3d11MeshDrawing {
public:
    D3d11MeshDrawing(std::shared_ptr<D3d11Device> device, const D3d11States& states);
    void Draw(D3d11Mesh& mesh, const MeshDrawInputs& inputs, bool depthTested);

private:
    struct Shaders {
        ComPtr<ID3D11VertexShader> facesVertex, stripsVertex;
        ComPtr<ID3D11PixelShader> facesPixel, stripsPixel;
        ComPtr<ID3D11InputLayout> facesLayout, stripsLayout;
    };
    // Made when first needed.
    const Shaders& ShadersFor(int outerPoints, int innerPoints, int directionals);
    // The shaders and constants, made again on a new device.
    void Follow();
    void Upload(const MeshDrawInputs& inputs, const glm::mat4& placing, float towardsEye);

    std::shared_ptr<D3d11Device> device_;
    const D3d11States& states_;
    int generation_ = 0;
    std::map<std::array<int, 3>, Shaders> shaders_;
    ComPtr<ID3D11Buffer> constants_;
};

}  // namespace engine

// The Direct3D 11 layer's sprites and 2D pictures: textured, coloured triangles blended as
// asked, with the blend states and samplers made when first needed.
#pragma once
#include <map>
#include <memory>
#include <tuple>

#include "engine/d3d11_device.h"
#include "engine/d3d11_states.h"
#include "engine/drawing_layer.h"

namespace engine {

class D3d11SpriteDrawing {
public:
    D3d11SpriteDrawing(std::shared_ptr<D3d11Device> device, const D3d11States& states);
    void Draw(const SpriteVertex* triangles, std::size_t count, const SpriteDraw& how);

private:
    // The shaders, buffers, blends and samplers, made again on a new device.
    void Follow();
    ID3D11BlendState* BlendFor(const Blending& blending);
    ID3D11SamplerState* SamplerFor(D3D11_FILTER filter);
    void Fill(const SpriteVertex* triangles, std::size_t count);

    std::shared_ptr<D3d11Device> device_;
    const D3d11States& states_;
    int generation_ = 0;
    ComPtr<ID3D11VertexShader> vertexShader_;
    ComPtr<ID3D11PixelShader> pixelShader_;
    ComPtr<ID3D11InputLayout> layout_;
    ComPtr<ID3D11Buffer> constants_, vertices_;
    std::size_t room_ = 0;
    std::map<std::tuple<int, int, int>, ComPtr<ID3D11BlendState>> blends_;
    std::map<D3D11_FILTER, ComPtr<ID3D11SamplerState>> samplers_;
};

}  // namespace engine

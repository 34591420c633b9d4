// Clears a rectangle of what the Direct3D 11 layer draws into: a triangle over the whole
// target at the far depth, held to the rectangle by the scissor, writing the colour, the
// depth, or both. Direct3D 11 clears a depth buffer only whole.
#pragma once
#include <glm/glm.hpp>

#include <memory>

#include "engine/d3d11_device.h"
#include "engine/d3d11_states.h"

namespace engine {

class D3d11ClearPass {
public:
    D3d11ClearPass(std::shared_ptr<D3d11Device> device, const D3d11States& states);
    // Over the viewport and scissor rectangle set.
    void Draw(const glm::vec3& colour, bool writeColour, bool writeDepth);

private:
    void Follow();

    std::shared_ptr<D3d11Device> device_;
    const D3d11States& states_;
    int generation_ = 0;
    ComPtr<ID3D11VertexShader> vertexShader_;
    ComPtr<ID3D11PixelShader> pixelShader_;
    ComPtr<ID3D11Buffer> constants_;
};

}  // namespace engine

// The Direct3D 11 layer's copy of a picture onto the viewport: crisp when enlarged by a
// factor that is not whole, through the display's gamma, as the GL layer's present pass.
// With a gamma of 1 and no enlargement it is a plain bilinear copy, which the layer's
// read-back scales with.
#pragma once
#include <glm/glm.hpp>

#include <memory>

#include "engine/d3d11_device.h"
#include "engine/d3d11_states.h"

namespace engine {

class D3d11PresentPass {
public:
    D3d11PresentPass(std::shared_ptr<D3d11Device> device, const D3d11States& states, float gamma);
    // Draws the part of the picture (in its pixels, from the top left) over the viewport
    // set, shown at this size; crisp says whether an enlargement is kept sharp.
    void Draw(ID3D11ShaderResourceView* picture, glm::ivec2 pictureSize, glm::vec4 part, glm::ivec2 shownSize,
              bool crisp);

private:
    void Follow();

    std::shared_ptr<D3d11Device> device_;
    const D3d11States& states_;
    float gamma_;
    int generation_ = 0;
    ComPtr<ID3D11VertexShader> vertexShader_;
    ComPtr<ID3D11PixelShader> pixelShader_;
    ComPtr<ID3D11Buffer> constants_;
};

}  // namespace engine

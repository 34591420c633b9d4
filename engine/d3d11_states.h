// The fixed-function states the Direct3D 11 layer draws with, made once per device: culling
// with drawing held to the scissor rectangle, depth tests, blends and the plain sampler.
#pragma once
#include "engine/d3d11_device.h"

namespace engine {

struct D3d11States {
    // Faces one-sided, clockwise on the screen towards the camera; or both sides.
    ComPtr<ID3D11RasterizerState> cullBack, cullNone;
    // Nearer wins and is written; nearer wins, the depth kept; no test; always written
    // (a clear).
    ComPtr<ID3D11DepthStencilState> depthWritten, depthKept, depthOff, depthCleared;
    // Replaces what is there; blended by the source's alpha; leaves the colour alone.
    ComPtr<ID3D11BlendState> opaque, alphaBlended, colourKept;
    // Bilinear, clamped at the edges.
    ComPtr<ID3D11SamplerState> linearClamp;

    void Make(ID3D11Device* device);
};

}  // namespace engine

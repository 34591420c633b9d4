#include "engine/d3d11_states.h"

namespace engine {

namespace {

ComPtr<ID3D11RasterizerState> Rasterizer(ID3D11Device* device, D3D11_CULL_MODE cull) {
    D3D11_RASTERIZER_DESC description{};
    description.FillMode = D3D11_FILL_SOLID;
    description.CullMode = cull;
    description.FrontCounterClockwise = FALSE;
    description.DepthClipEnable = TRUE;
    description.ScissorEnable = TRUE;
    description.MultisampleEnable = TRUE;
    ComPtr<ID3D11RasterizerState> state;
    Check(device->CreateRasterizerState(&description, &state), "a rasterizer state is refused");
    return state;
}

ComPtr<ID3D11DepthStencilState> Depth(ID3D11Device* device, bool test, bool write, D3D11_COMPARISON_FUNC compare) {
    D3D11_DEPTH_STENCIL_DESC description{};
    description.DepthEnable = test;
    description.DepthWriteMask = write ? D3D11_DEPTH_WRITE_MASK_ALL : D3D11_DEPTH_WRITE_MASK_ZERO;
    description.DepthFunc = compare;
    ComPtr<ID3D11DepthStencilState> state;
    Check(device->CreateDepthStencilState(&description, &state), "a depth state is refused");
    return state;
}

ComPtr<ID3D11BlendState> Blend(ID3D11Device* device, bool blend, UINT8 writeMask) {
    D3D11_BLEND_DESC description{};
    D3D11_RENDER_TARGET_BLEND_DESC& target = description.RenderTarget[0];
    target.BlendEnable = blend;
    target.SrcBlend = target.SrcBlendAlpha = D3D11_BLEND_SRC_ALPHA;
    target.DestBlend = target.DestBlendAlpha = D3D11_BLEND_INV_SRC_ALPHA;
    target.BlendOp = target.BlendOpAlpha = D3D11_BLEND_OP_ADD;
    target.RenderTargetWriteMask = writeMask;
    ComPtr<ID3D11BlendState> state;
    Check(device->CreateBlendState(&description, &state), "a blend state is refused");
    return state;
}

}  // namespace

void D3d11States::Make(ID3D11Device* device) {
    cullBack = Rasterizer(device, D3D11_CULL_BACK);
    cullNone = Rasterizer(device, D3D11_CULL_NONE);
    depthWritten = Depth(device, true, true, D3D11_COMPARISON_LESS);
    depthKept = Depth(device, true, false, D3D11_COMPARISON_LESS);
    depthOff = Depth(device, false, false, D3D11_COMPARISON_ALWAYS);
    depthCleared = Depth(device, true, true, D3D11_COMPARISON_ALWAYS);
    opaque = Blend(device, false, D3D11_COLOR_WRITE_ENABLE_ALL);
    alphaBlended = Blend(device, true, D3D11_COLOR_WRITE_ENABLE_ALL);
    colourKept = Blend(device, false, 0);
    D3D11_SAMPLER_DESC sampler{};
    sampler.Filter = D3D11_FILTER_MIN_MAG_MIP_LINEAR;
    sampler.AddressU = sampler.AddressV = sampler.AddressW = D3D11_TEXTURE_ADDRESS_CLAMP;
    sampler.ComparisonFunc = D3D11_COMPARISON_NEVER;
    sampler.MaxLOD = D3D11_FLOAT32_MAX;
    Check(device->CreateSamplerState(&sampler, &linearClamp), "a sampler is refused");
}

}  // namespace engine

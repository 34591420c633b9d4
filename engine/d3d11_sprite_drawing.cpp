#include "engine/d3d11_sprite_drawing.h"

#include <cstddef>

#include "engine/d3d11_textures.h"

namespace engine {

namespace {

// The projection is GL's: the depth moves from its -1 to 1 into Direct3D's 0 to 1.
const char* const kShaders = R"(
cbuffer Sprites : register(b0) { float4x4 projection; };
Texture2D picture : register(t0);
SamplerState pictureSampler : register(s0);
struct SpritePixel {
    float4 position : SV_Position;
    float2 texCoord : TEXCOORD0;
    float4 tint : COLOR0;
};
SpritePixel SpriteVertex(float3 position : POSITION, float2 texCoord : TEXCOORD, float4 colour : COLOR) {
    SpritePixel pixel;
    float4 clip = mul(projection, float4(position, 1.0));
    pixel.position = float4(clip.xy, (clip.z + clip.w) * 0.5, clip.w);
    pixel.texCoord = texCoord;
    pixel.tint = colour;
    return pixel;
}
float4 SpritePixelColour(SpritePixel pixel) : SV_Target {
    return picture.Sample(pictureSampler, pixel.texCoord) * pixel.tint;
}
)";

D3D11_BLEND_OP Operation(BlendOperation operation) {
    switch (operation) {
    case BlendOperation::Add: return D3D11_BLEND_OP_ADD;
    case BlendOperation::Subtract: return D3D11_BLEND_OP_SUBTRACT;
    case BlendOperation::ReverseSubtract: return D3D11_BLEND_OP_REV_SUBTRACT;
    case BlendOperation::Min: return D3D11_BLEND_OP_MIN;
    case BlendOperation::Max: return D3D11_BLEND_OP_MAX;
    }
    return D3D11_BLEND_OP_ADD;
}

// For the alpha channel a colour factor is its alpha, as GL reads it there.
D3D11_BLEND Factor(BlendFactor factor, bool alpha) {
    switch (factor) {
    case BlendFactor::Zero: return D3D11_BLEND_ZERO;
    case BlendFactor::One: return D3D11_BLEND_ONE;
    case BlendFactor::SourceColour: return alpha ? D3D11_BLEND_SRC_ALPHA : D3D11_BLEND_SRC_COLOR;
    case BlendFactor::InverseSourceColour: return alpha ? D3D11_BLEND_INV_SRC_ALPHA : D3D11_BLEND_INV_SRC_COLOR;
    case BlendFactor::SourceAlpha: return D3D11_BLEND_SRC_ALPHA;
    case BlendFactor::InverseSourceAlpha: return D3D11_BLEND_INV_SRC_ALPHA;
    case BlendFactor::DestinationAlpha: return D3D11_BLEND_DEST_ALPHA;
    case BlendFactor::InverseDestinationAlpha: return D3D11_BLEND_INV_DEST_ALPHA;
    case BlendFactor::DestinationColour: return alpha ? D3D11_BLEND_DEST_ALPHA : D3D11_BLEND_DEST_COLOR;
    case BlendFactor::InverseDestinationColour: return alpha ? D3D11_BLEND_INV_DEST_ALPHA : D3D11_BLEND_INV_DEST_COLOR;
    }
    return D3D11_BLEND_ONE;
}

// The filter of the texture, reading its chain, or only the picture of it nearest in size.
D3D11_FILTER FilterFor(const D3d11Texture& texture, bool oneSize) {
    if (!texture.Smooth()) return D3D11_FILTER_MIN_MAG_MIP_POINT;
    return texture.Chain() && !oneSize ? D3D11_FILTER_MIN_MAG_MIP_LINEAR : D3D11_FILTER_MIN_MAG_LINEAR_MIP_POINT;
}

}  // namespace

D3d11SpriteDrawing::D3d11SpriteDrawing(std::shared_ptr<D3d11Device> device, const D3d11States& states)
    : device_(std::move(device)), states_(states) {
    Follow();
}

void D3d11SpriteDrawing::Follow() {
    if (generation_ == device_->Generation()) return;
    std::vector<char> vertex = device_->Compile(kShaders, "SpriteVertex", "vs");
    vertexShader_ = device_->VertexShader(vertex);
    pixelShader_ = device_->PixelShader(device_->Compile(kShaders, "SpritePixelColour", "ps"));
    const D3D11_INPUT_ELEMENT_DESC elements[] = {
        {"POSITION", 0, DXGI_FORMAT_R32G32B32_FLOAT, 0, offsetof(SpriteVertex, position), D3D11_INPUT_PER_VERTEX_DATA, 0},
        {"TEXCOORD", 0, DXGI_FORMAT_R32G32_FLOAT, 0, offsetof(SpriteVertex, texCoord), D3D11_INPUT_PER_VERTEX_DATA, 0},
        {"COLOR", 0, DXGI_FORMAT_R32G32B32A32_FLOAT, 0, offsetof(SpriteVertex, colour), D3D11_INPUT_PER_VERTEX_DATA, 0}};
    Check(device_->Device()->CreateInputLayout(elements, 3, vertex.data(), vertex.size(), &layout_),
          "the sprites' input layout is refused");
    constants_ = device_->Buffer(sizeof(glm::mat4), D3D11_BIND_CONSTANT_BUFFER, nullptr, true);
    vertices_.Reset();
    room_ = 0;
    blends_.clear();
    samplers_.clear();
    generation_ = device_->Generation();
}

ID3D11BlendState* D3d11SpriteDrawing::BlendFor(const Blending& blending) {
    ComPtr<ID3D11BlendState>& state = blends_[{static_cast<int>(blending.operation), static_cast<int>(blending.source),
                                               static_cast<int>(blending.destination)}];
    if (!state) {
        D3D11_BLEND_DESC description{};
        D3D11_RENDER_TARGET_BLEND_DESC& target = description.RenderTarget[0];
        target.BlendEnable = TRUE;
        target.BlendOp = target.BlendOpAlpha = Operation(blending.operation);
        target.SrcBlend = Factor(blending.source, false);
        target.DestBlend = Factor(blending.destination, false);
        target.SrcBlendAlpha = Factor(blending.source, true);
        target.DestBlendAlpha = Factor(blending.destination, true);
        target.RenderTargetWriteMask = D3D11_COLOR_WRITE_ENABLE_ALL;
        Check(device_->Device()->CreateBlendState(&description, &state), "a sprite blend is refused");
    }
    return state.Get();
}

ID3D11SamplerState* D3d11SpriteDrawing::SamplerFor(D3D11_FILTER filter) {
    ComPtr<ID3D11SamplerState>& sampler = samplers_[filter];
    if (!sampler) {
        D3D11_SAMPLER_DESC description{};
        description.Filter = filter;
        description.AddressU = description.AddressV = description.AddressW = D3D11_TEXTURE_ADDRESS_CLAMP;
        description.ComparisonFunc = D3D11_COMPARISON_NEVER;
        description.MaxLOD = D3D11_FLOAT32_MAX;
        Check(device_->Device()->CreateSamplerState(&description, &sampler), "a sprite sampler is refused");
    }
    return sampler.Get();
}

// A fresh store for every batch (the discarded one stays with the draws that read it),
// grown to the largest batch yet.
void D3d11SpriteDrawing::Fill(const SpriteVertex* triangles, std::size_t count) {
    if (count > room_) {
        room_ = count;
        vertices_ = device_->Buffer(static_cast<UINT>(room_ * sizeof(SpriteVertex)), D3D11_BIND_VERTEX_BUFFER, nullptr, true);
    }
    device_->Fill(vertices_.Get(), triangles, count * sizeof(SpriteVertex));
}

void D3d11SpriteDrawing::Draw(const SpriteVertex* triangles, std::size_t count, const SpriteDraw& how) {
    Follow();
    if (count == 0) return;
    ID3D11DeviceContext* context = device_->Context();
    const auto& texture = static_cast<const D3d11Texture&>(*how.texture);
    Fill(triangles, count);
    device_->Fill(constants_.Get(), &how.projection, sizeof how.projection);
    context->OMSetDepthStencilState(how.behindMeshes ? states_.depthKept.Get() : states_.depthOff.Get(), 0);
    context->OMSetBlendState(BlendFor(how.blending), nullptr, 0xFFFFFFFF);
    // Sprites face the camera whichever way their corners run.
    context->RSSetState(states_.cullNone.Get());
    context->IASetInputLayout(layout_.Get());
    context->IASetPrimitiveTopology(D3D11_PRIMITIVE_TOPOLOGY_TRIANGLELIST);
    UINT stride = sizeof(SpriteVertex), offset = 0;
    ID3D11Buffer* vertices = vertices_.Get();
    context->IASetVertexBuffers(0, 1, &vertices, &stride, &offset);
    ID3D11Buffer* constants = constants_.Get();
    context->VSSetConstantBuffers(0, 1, &constants);
    context->VSSetShader(vertexShader_.Get(), nullptr, 0);
    context->PSSetShader(pixelShader_.Get(), nullptr, 0);
    ID3D11ShaderResourceView* view = texture.View();
    context->PSSetShaderResources(0, 1, &view);
    ID3D11SamplerState* sampler = SamplerFor(FilterFor(texture, how.oneSize));
    context->PSSetSamplers(0, 1, &sampler);
    context->Draw(static_cast<UINT>(count), 0);
}

}  // namespace engine

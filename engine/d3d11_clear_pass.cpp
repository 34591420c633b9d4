#include "engine/d3d11_clear_pass.h"

namespace engine {

namespace {

const char* const kShaders = R"(
cbuffer Clear : register(b0) { float4 colour; };
float4 ClearVertex(uint id : SV_VertexID) : SV_Position {
    float2 corner = float2((id << 1) & 2, id & 2);
    return float4(corner * 2.0 - 1.0, 1.0, 1.0);
}
float4 ClearPixel(float4 position : SV_Position) : SV_Target { return colour; }
)";

}  // namespace

D3d11ClearPass::D3d11ClearPass(std::shared_ptr<D3d11Device> device, const D3d11States& states)
    : device_(std::move(device)), states_(states) {
    Follow();
}

void D3d11ClearPass::Follow() {
    if (generation_ == device_->Generation()) return;
    vertexShader_ = device_->VertexShader(device_->Compile(kShaders, "ClearVertex", "vs"));
    pixelShader_ = device_->PixelShader(device_->Compile(kShaders, "ClearPixel", "ps"));
    constants_ = device_->Buffer(sizeof(glm::vec4), D3D11_BIND_CONSTANT_BUFFER, nullptr, true);
    generation_ = device_->Generation();
}

void D3d11ClearPass::Draw(const glm::vec3& colour, bool writeColour, bool writeDepth) {
    Follow();
    glm::vec4 value(colour, 1.0f);
    device_->Fill(constants_.Get(), &value, sizeof value);
    ID3D11DeviceContext* context = device_->Context();
    context->OMSetDepthStencilState(writeDepth ? states_.depthCleared.Get() : states_.depthOff.Get(), 0);
    context->OMSetBlendState(writeColour ? states_.opaque.Get() : states_.colourKept.Get(), nullptr, 0xFFFFFFFF);
    context->RSSetState(states_.cullNone.Get());
    context->IASetInputLayout(nullptr);
    context->IASetPrimitiveTopology(D3D11_PRIMITIVE_TOPOLOGY_TRIANGLELIST);
    ID3D11Buffer* buffer = constants_.Get();
    context->PSSetConstantBuffers(0, 1, &buffer);
    context->VSSetShader(vertexShader_.Get(), nullptr, 0);
    context->PSSetShader(pixelShader_.Get(), nullptr, 0);
    context->Draw(3, 0);
}

}  // namespace engine

#include "engine/d3d11_present_pass.h"

#include <string>

namespace engine {

namespace {

struct PresentConstants {
    glm::vec2 pictureSize, enlargement;
    // The part read, in shares of the picture from its top left.
    glm::vec2 partOrigin, partSize;
};

// One triangle that covers the viewport, its corners from the vertex number; the
// picture's top row at the viewport's top. The crisp scaling is the GL layer's: the blend
// between two source pixels is squeezed into the one shown pixel across their border.
const char* const kShaders = R"(
cbuffer Present : register(b0) {
    float2 pictureSize; float2 enlargement;
    float2 partOrigin; float2 partSize;
};
Texture2D picture : register(t0);
SamplerState pictureSampler : register(s0);
struct CopyPixel {
    float4 position : SV_Position;
    float2 texCoord : TEXCOORD0;
};
CopyPixel CopyVertex(uint id : SV_VertexID) {
    CopyPixel pixel;
    float2 corner = float2((id << 1) & 2, id & 2);
    pixel.texCoord = partOrigin + float2(corner.x, 1.0 - corner.y) * partSize;
    pixel.position = float4(corner * 2.0 - 1.0, 0.0, 1.0);
    return pixel;
}
float4 CopyPixelColour(CopyPixel pixel) : SV_Target {
    float2 texel = pixel.texCoord * pictureSize - 0.5;
    float2 between = saturate((texel - floor(texel) - 0.5) * enlargement + 0.5);
    float3 c = picture.Sample(pictureSampler, (floor(texel) + between + 0.5) / pictureSize).rgb;
#ifdef INVERSE_GAMMA
    c = pow(c, INVERSE_GAMMA);
#endif
    return float4(c, 1.0);
}
)";

}  // namespace

D3d11PresentPass::D3d11PresentPass(std::shared_ptr<D3d11Device> device, const D3d11States& states, float gamma)
    : device_(std::move(device)), states_(states), gamma_(gamma) {
    Follow();
}

void D3d11PresentPass::Follow() {
    if (generation_ == device_->Generation()) return;
    // A gamma other than 1 is built into the shader, so that the usual copy costs no more
    // than a copy.
    std::string source = kShaders;
    if (gamma_ != 1.0f) source = "#define INVERSE_GAMMA " + std::to_string(1.0f / gamma_) + "\n" + source;
    vertexShader_ = device_->VertexShader(device_->Compile(source, "CopyVertex", "vs"));
    pixelShader_ = device_->PixelShader(device_->Compile(source, "CopyPixelColour", "ps"));
    constants_ = device_->Buffer(sizeof(PresentConstants), D3D11_BIND_CONSTANT_BUFFER, nullptr, true);
    generation_ = device_->Generation();
}

void D3d11PresentPass::Draw(ID3D11ShaderResourceView* picture, glm::ivec2 pictureSize, glm::vec4 part,
                            glm::ivec2 shownSize, bool crisp) {
    Follow();
    glm::vec2 size(pictureSize);
    PresentConstants constants{};
    constants.pictureSize = size;
    constants.enlargement = crisp ? glm::max(glm::vec2(shownSize) / glm::max(glm::vec2(part.z, part.w), glm::vec2(1)),
                                             glm::vec2(1))
                                  : glm::vec2(1);
    constants.partOrigin = glm::vec2(part.x, part.y) / size;
    constants.partSize = glm::vec2(part.z, part.w) / size;
    device_->Fill(constants_.Get(), &constants, sizeof constants);
    ID3D11DeviceContext* context = device_->Context();
    context->OMSetDepthStencilState(states_.depthOff.Get(), 0);
    context->OMSetBlendState(states_.opaque.Get(), nullptr, 0xFFFFFFFF);
    context->RSSetState(states_.cullNone.Get());
    context->IASetInputLayout(nullptr);
    context->IASetPrimitiveTopology(D3D11_PRIMITIVE_TOPOLOGY_TRIANGLELIST);
    ID3D11Buffer* buffer = constants_.Get();
    context->VSSetConstantBuffers(0, 1, &buffer);
    context->PSSetConstantBuffers(0, 1, &buffer);
    context->VSSetShader(vertexShader_.Get(), nullptr, 0);
    context->PSSetShader(pixelShader_.Get(), nullptr, 0);
    context->PSSetShaderResources(0, 1, &picture);
    ID3D11SamplerState* sampler = states_.linearClamp.Get();
    context->PSSetSamplers(0, 1, &sampler);
    context->Draw(3, 0);
    // The picture may be drawn into next.
    ID3D11ShaderResourceView* none = nullptr;
    context->PSSetShaderResources(0, 1, &none);
}

}  // namespace engine

#include "engine/d3d11_mesh_drawing.h"

#include <cstddef>
#include <cstring>

#include "engine/d3d11_mesh_shaders.h"

namespace engine {

namespace {

// How much nearer the smoothed edges are drawn than the faces they border, as in the GL
// layer: a share of the depth range.
constexpr float kLineNearer = 0.00006f;

template <typename Item>
UINT Bytes(const std::vector<Item>& items) {
    return static_cast<UINT>(items.size() * sizeof(Item));
}

void Bind(ID3D11DeviceContext* context, ID3D11Buffer* buffer, UINT stride) {
    UINT offset = 0;
    context->IASetVertexBuffers(0, 1, &buffer, &stride, &offset);
    context->IASetPrimitiveTopology(D3D11_PRIMITIVE_TOPOLOGY_TRIANGLELIST);
}

ComPtr<ID3D11InputLayout> Layout(ID3D11Device* device, const std::vector<char>& program, bool strips) {
    const D3D11_INPUT_ELEMENT_DESC faces[] = {
        {"POSITION", 0, DXGI_FORMAT_R32G32B32_FLOAT, 0, offsetof(MeshVertex, position), D3D11_INPUT_PER_VERTEX_DATA, 0},
        {"NORMAL", 0, DXGI_FORMAT_R32G32B32_FLOAT, 0, offsetof(MeshVertex, normal), D3D11_INPUT_PER_VERTEX_DATA, 0},
        {"TEXCOORD", 1, DXGI_FORMAT_R32_FLOAT, 0, offsetof(MeshVertex, litFromWithin), D3D11_INPUT_PER_VERTEX_DATA, 0}};
    const D3D11_INPUT_ELEMENT_DESC stripped[] = {
        {"POSITION", 0, DXGI_FORMAT_R32G32B32_FLOAT, 0, offsetof(StripVertex, position), D3D11_INPUT_PER_VERTEX_DATA, 0},
        {"NORMAL", 0, DXGI_FORMAT_R32G32B32_FLOAT, 0, offsetof(StripVertex, normal), D3D11_INPUT_PER_VERTEX_DATA, 0},
        {"TEXCOORD", 0, DXGI_FORMAT_R32_FLOAT, 0, offsetof(StripVertex, across), D3D11_INPUT_PER_VERTEX_DATA, 0},
        {"TEXCOORD", 1, DXGI_FORMAT_R32_FLOAT, 0, offsetof(StripVertex, litFromWithin), D3D11_INPUT_PER_VERTEX_DATA, 0}};
    ComPtr<ID3D11InputLayout> layout;
    Check(strips ? device->CreateInputLayout(stripped, 4, program.data(), program.size(), &layout)
                 : device->CreateInputLayout(faces, 3, program.data(), program.size(), &layout),
          "a mesh's input layout is refused");
    return layout;
}

}  // namespace

D3d11Mesh::D3d11Mesh(std::shared_ptr<D3d11Device> device, const std::vector<MeshVertex>& corners,
                     const std::vector<std::uint32_t>& indices)
    : device_(std::move(device)), corners_(corners), indices_(indices) {
    Follow();
}

void D3d11Mesh::Follow() {
    if (generation_ == device_->Generation()) return;
    generation_ = device_->Generation();
    corners_buffer_ = corners_.empty() ? nullptr : device_->Buffer(Bytes(corners_), D3D11_BIND_VERTEX_BUFFER, corners_.data(), false);
    indices_buffer_ = indices_.empty() ? nullptr : device_->Buffer(Bytes(indices_), D3D11_BIND_INDEX_BUFFER, indices_.data(), false);
    strips_buffer_ = strips_.empty() ? nullptr : device_->Buffer(Bytes(strips_), D3D11_BIND_VERTEX_BUFFER, strips_.data(), false);
}

void D3d11Mesh::SetStrips(const std::vector<StripVertex>& strips) {
    strips_ = strips;
    strips_buffer_ = strips_.empty() ? nullptr : device_->Buffer(Bytes(strips_), D3D11_BIND_VERTEX_BUFFER, strips_.data(), false);
}

void D3d11Mesh::DrawFaces() {
    Follow();
    if (!indices_buffer_ || !corners_buffer_) return;
    ID3D11DeviceContext* context = device_->Context();
    Bind(context, corners_buffer_.Get(), sizeof(MeshVertex));
    context->IASetIndexBuffer(indices_buffer_.Get(), DXGI_FORMAT_R32_UINT, 0);
    context->DrawIndexed(static_cast<UINT>(indices_.size()), 0, 0);
}

void D3d11Mesh::DrawStrips() {
    Follow();
    if (!strips_buffer_) return;
    Bind(device_->Context(), strips_buffer_.Get(), sizeof(StripVertex));
    device_->Context()->Draw(static_cast<UINT>(strips_.size()), 0);
}

D3d11MeshDrawing::D3d11MeshDrawing(std::shared_ptr<D3d11Device> device, const D3d11States& states)
    : device_(std::move(device)), states_(states) {
    Follow();
}

void D3d11MeshDrawing::Follow() {
    if (generation_ == device_->Generation()) return;
    generation_ = device_->Generation();
    shaders_.clear();
    constants_ = device_->Buffer(sizeof(D3d11MeshConstants), D3D11_BIND_CONSTANT_BUFFER, nullptr, true);
}

const D3d11MeshDrawing::Shaders& D3d11MeshDrawing::ShadersFor(int outerPoints, int innerPoints, int directionals) {
    auto found = shaders_.find({outerPoints, innerPoints, directionals});
    if (found != shaders_.end()) return found->second;
    Shaders shaders;
    std::string faces = D3d11MeshShaders(false, outerPoints, innerPoints, directionals);
    std::string strips = D3d11MeshShaders(true, outerPoints, innerPoints, directionals);
    std::vector<char> facesVertex = device_->Compile(faces, "FacesVertex", "vs");
    std::vector<char> stripsVertex = device_->Compile(strips, "StripsVertex", "vs");
    shaders.facesVertex = device_->VertexShader(facesVertex);
    shaders.stripsVertex = device_->VertexShader(stripsVertex);
    shaders.facesPixel = device_->PixelShader(device_->Compile(faces, "FacesPixel", "ps"));
    shaders.stripsPixel = device_->PixelShader(device_->Compile(strips, "StripsPixel", "ps"));
    shaders.facesLayout = Layout(device_->Device(), facesVertex, false);
    shaders.stripsLayout = Layout(device_->Device(), stripsVertex, true);
    return shaders_.emplace(std::array<int, 3>{outerPoints, innerPoints, directionals}, std::move(shaders))
        .first->second;
}

// Gives the shaders every input of the draw, and the matrix that places its vertices in
// the world.
void D3d11MeshDrawing::Upload(const MeshDrawInputs& inputs, const glm::mat4& placing, float towardsEye) {
    const MeshDrawInputs::Steady& steady = inputs.steady;
    const MeshDrawInputs::Glowing& glowing = inputs.glowing;
    D3d11MeshConstants constants{};
    constants.model = placing;
    constants.normalMatrix = glm::mat4(glm::transpose(glm::inverse(glm::mat3(placing))));
    constants.projection = steady.projection;
    constants.ambientAndEmissive = steady.ambientAndEmissive;
    constants.opacity = steady.opacity;
    constants.diffuse = steady.diffuse;
    constants.power = steady.power;
    constants.specular = steady.specular;
    constants.lit = steady.lit;
    constants.towardsEye = towardsEye;
    for (int i = 0; i < kMaxPointLights; ++i) {
        constants.outerPointPlace[i] = steady.outerPointPlace[i];
        constants.innerPointPlace[i] = steady.innerPointPlace[i];
        constants.outerPointColour[i] = glm::vec4(glowing.outerPointColour[i], 0);
        constants.innerPointColour[i] = glm::vec4(glowing.innerPointColour[i], 0);
    }
    for (int i = 0; i < kMaxDirectionalLights; ++i) {
        constants.directionalToward[i] = glm::vec4(steady.directionalToward[i], 0);
        constants.directionalColour[i] = glm::vec4(steady.directionalColour[i], 0);
    }
    constants.spillCentre = glowing.spillCentre;
    constants.spillInverseHalfSize = glowing.spillInverseHalfSize;
    constants.spillColour = glowing.spillColour;
    device_->Fill(constants_.Get(), &constants, sizeof constants);
}

void D3d11MeshDrawing::Draw(D3d11Mesh& mesh, const MeshDrawInputs& inputs, bool depthTested) {
    Follow();
    const MeshDrawInputs::Steady& steady = inputs.steady;
    const Shaders& shaders = ShadersFor(steady.outerPoints, steady.innerPoints, steady.directionals);
    ID3D11DeviceContext* context = device_->Context();
    ID3D11Buffer* constants = constants_.Get();
    context->VSSetConstantBuffers(0, 1, &constants);
    context->PSSetConstantBuffers(0, 1, &constants);
    Upload(inputs, steady.model, 0);
    context->OMSetDepthStencilState(depthTested ? states_.depthWritten.Get() : states_.depthOff.Get(), 0);
    context->OMSetBlendState(states_.opaque.Get(), nullptr, 0xFFFFFFFF);
    context->RSSetState(states_.cullBack.Get());
    context->IASetInputLayout(shaders.facesLayout.Get());
    context->VSSetShader(shaders.facesVertex.Get(), nullptr, 0);
    context->PSSetShader(shaders.facesPixel.Get(), nullptr, 0);
    mesh.DrawFaces();
    if (steady.pixelAtOne <= 0) return;
    // The strips come in world coordinates.
    Upload(inputs, glm::mat4(1), kLineNearer);
    context->OMSetDepthStencilState(depthTested ? states_.depthKept.Get() : states_.depthOff.Get(), 0);
    context->OMSetBlendState(states_.alphaBlended.Get(), nullptr, 0xFFFFFFFF);
    context->RSSetState(states_.cullNone.Get());
    context->IASetInputLayout(shaders.stripsLayout.Get());
    context->VSSetShader(shaders.stripsVertex.Get(), nullptr, 0);
    context->PSSetShader(shaders.stripsPixel.Get(), nullptr, 0);
    mesh.DrawStrips();
}

}  // namespace engine

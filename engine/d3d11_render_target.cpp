#include "engine/d3d11_render_target.h"

namespace engine {

ComPtr<ID3D11Texture2D> MakeColourTexture(ID3D11Device* device, int width, int height, int samples, UINT bind) {
    D3D11_TEXTURE2D_DESC description{};
    description.Width = static_cast<UINT>(width);
    description.Height = static_cast<UINT>(height);
    description.MipLevels = 1;
    description.ArraySize = 1;
    description.Format = DXGI_FORMAT_R8G8B8A8_UNORM;
    description.SampleDesc.Count = samples > 0 ? static_cast<UINT>(samples) : 1;
    description.Usage = D3D11_USAGE_DEFAULT;
    description.BindFlags = bind;
    ComPtr<ID3D11Texture2D> texture;
    Check(device->CreateTexture2D(&description, nullptr, &texture), "a picture cannot be made");
    return texture;
}

D3d11RenderTarget::D3d11RenderTarget(ID3D11Device* device, int width, int height, int samples)
    : width_(width), height_(height) {
    UINT readable = D3D11_BIND_RENDER_TARGET | D3D11_BIND_SHADER_RESOURCE;
    colour_ = MakeColourTexture(device, width, height, samples, samples > 0 ? UINT{D3D11_BIND_RENDER_TARGET} : readable);
    if (samples > 0) resolved_ = MakeColourTexture(device, width, height, 0, readable);
    Check(device->CreateRenderTargetView(colour_.Get(), nullptr, &colourView_), "a picture cannot be drawn into");
    Check(device->CreateShaderResourceView(Finished(), nullptr, &finishedView_), "a picture cannot be read");
    D3D11_TEXTURE2D_DESC description{};
    colour_->GetDesc(&description);
    description.Format = DXGI_FORMAT_D24_UNORM_S8_UINT;
    description.BindFlags = D3D11_BIND_DEPTH_STENCIL;
    Check(device->CreateTexture2D(&description, nullptr, &depth_), "a depth buffer cannot be made");
    Check(device->CreateDepthStencilView(depth_.Get(), nullptr, &depthView_), "a depth buffer cannot be used");
}

void D3d11RenderTarget::Resolve(ID3D11DeviceContext* context) const {
    if (resolved_) context->ResolveSubresource(resolved_.Get(), 0, colour_.Get(), 0, DXGI_FORMAT_R8G8B8A8_UNORM);
}

}  // namespace engine

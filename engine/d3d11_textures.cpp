#include "engine/d3d11_textures.h"

namespace engine {

D3d11Texture::D3d11Texture(std::shared_ptr<D3d11Device> device, const Picture& picture, bool smooth, bool chain)
    : device_(std::move(device)), picture_(picture), smooth_(smooth), chain_(chain) {
    View();
}

ID3D11ShaderResourceView* D3d11Texture::View() const {
    if (generation_ == device_->Generation()) return view_.Get();
    D3D11_TEXTURE2D_DESC description{};
    description.Width = static_cast<UINT>(picture_.width);
    description.Height = static_cast<UINT>(picture_.height);
    // The chain is made by the device from the picture, as GL's glGenerateMipmap does.
    description.MipLevels = chain_ ? 0 : 1;
    description.ArraySize = 1;
    description.Format = DXGI_FORMAT_R8G8B8A8_UNORM;
    description.SampleDesc.Count = 1;
    description.Usage = D3D11_USAGE_DEFAULT;
    description.BindFlags = D3D11_BIND_SHADER_RESOURCE | (chain_ ? D3D11_BIND_RENDER_TARGET : 0);
    description.MiscFlags = chain_ ? D3D11_RESOURCE_MISC_GENERATE_MIPS : 0;
    UINT row = static_cast<UINT>(picture_.width) * 4;
    D3D11_SUBRESOURCE_DATA initial{picture_.rgba.data(), row, 0};
    ComPtr<ID3D11Texture2D> texture;
    ID3D11Device* device = device_->Device();
    Check(device->CreateTexture2D(&description, chain_ ? nullptr : &initial, &texture), "a texture cannot be made");
    Check(device->CreateShaderResourceView(texture.Get(), nullptr, &view_), "a texture cannot be read");
    if (chain_) {
        device_->Context()->UpdateSubresource(texture.Get(), 0, nullptr, picture_.rgba.data(), row, 0);
        device_->Context()->GenerateMips(view_.Get());
    }
    generation_ = device_->Generation();
    return view_.Get();
}

}  // namespace engine

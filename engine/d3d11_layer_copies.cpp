// The Direct3D 11 layer's copies: the kept copy of part of a window's canvas and its way
// back, and what is read back for tests and stills, through a staging texture.
#include <algorithm>
#include <cstring>

#include "engine/d3d11_drawing_layer.h"
#include "engine/d3d11_present_pass.h"
#include "engine/d3d11_render_target.h"
#include "engine/redraw_area.h"

namespace engine {

namespace {

// The box of the rectangle (GL's way up) in a texture of this height.
D3D11_BOX BoxOf(const GlRect& rect, int height) {
    return {static_cast<UINT>(rect.x), static_cast<UINT>(height - rect.y - rect.height), 0,
            static_cast<UINT>(rect.x + rect.width), static_cast<UINT>(height - rect.y), 1};
}

}  // namespace

void D3d11DrawingLayer::KeepCopy(const GlRect& part) {
    copied_ = {};
    if (part.width <= 0 || part.height <= 0) return;
    if (part.width > copyWidth_ || part.height > copyHeight_ || !copy_) {
        // Grown only, so that a part that changes its size a little from frame to frame
        // does not make a new store each time.
        copyWidth_ = std::max(part.width, copyWidth_);
        copyHeight_ = std::max(part.height, copyHeight_);
        copy_ = MakeColourTexture(device_->Device(), copyWidth_, copyHeight_, 0, D3D11_BIND_SHADER_RESOURCE);
    }
    D3D11_BOX box = BoxOf(part, Target().Height());
    device_->Context()->CopySubresourceRegion(copy_.Get(), 0, 0, 0, 0, Target().Finished(), 0, &box);
    copied_ = part;
}

void D3d11DrawingLayer::PutCopyBack(const GlRect& within) {
    GlRect part = OverlapOf(copied_, within);
    if (part.width <= 0 || part.height <= 0) return;
    // The copy's top row is the top of the part copied.
    D3D11_BOX box{static_cast<UINT>(part.x - copied_.x),
                  static_cast<UINT>(copied_.y + copied_.height - part.y - part.height), 0,
                  static_cast<UINT>(part.x - copied_.x + part.width),
                  static_cast<UINT>(copied_.y + copied_.height - part.y), 1};
    device_->Context()->CopySubresourceRegion(Target().Finished(), 0, static_cast<UINT>(part.x),
                                              static_cast<UINT>(Target().Height() - part.y - part.height), 0,
                                              copy_.Get(), 0, &box);
}

std::vector<std::uint8_t> D3d11DrawingLayer::ReadTexture(ID3D11Texture2D* texture, const D3D11_BOX& box) {
    int width = static_cast<int>(box.right - box.left), height = static_cast<int>(box.bottom - box.top);
    D3D11_TEXTURE2D_DESC description{};
    description.Width = static_cast<UINT>(width);
    description.Height = static_cast<UINT>(height);
    description.MipLevels = description.ArraySize = description.SampleDesc.Count = 1;
    description.Format = DXGI_FORMAT_R8G8B8A8_UNORM;
    description.Usage = D3D11_USAGE_STAGING;
    description.CPUAccessFlags = D3D11_CPU_ACCESS_READ;
    ComPtr<ID3D11Texture2D> staging;
    Check(device_->Device()->CreateTexture2D(&description, nullptr, &staging), "no texture to read back through");
    ID3D11DeviceContext* context = device_->Context();
    context->CopySubresourceRegion(staging.Get(), 0, 0, 0, 0, texture, 0, &box);
    D3D11_MAPPED_SUBRESOURCE mapped{};
    Check(context->Map(staging.Get(), 0, D3D11_MAP_READ, 0, &mapped), "the picture cannot be read back");
    std::size_t row = static_cast<std::size_t>(width) * 4;
    std::vector<std::uint8_t> pixels(row * height);
    for (int y = 0; y < height; ++y)
        std::memcpy(pixels.data() + y * row, static_cast<const std::uint8_t*>(mapped.pData) + y * mapped.RowPitch, row);
    context->Unmap(staging.Get(), 0);
    return pixels;
}

// Scaled with plain bilinear filtering, as a GL blit with linear filtering scales.
std::vector<std::uint8_t> D3d11DrawingLayer::ReadScaled(ID3D11ShaderResourceView* source, glm::ivec2 size,
                                                        const GlRect& part, int width, int height) {
    ComPtr<ID3D11Texture2D> scaled = MakeColourTexture(device_->Device(), width, height, 0, D3D11_BIND_RENDER_TARGET);
    ComPtr<ID3D11RenderTargetView> view;
    Check(device_->Device()->CreateRenderTargetView(scaled.Get(), nullptr, &view), "no picture to scale into");
    ID3D11DeviceContext* context = device_->Context();
    ID3D11RenderTargetView* target = view.Get();
    context->OMSetRenderTargets(1, &target, nullptr);
    D3D11_VIEWPORT viewport{0, 0, static_cast<float>(width), static_cast<float>(height), 0, 1};
    context->RSSetViewports(1, &viewport);
    D3D11_RECT all{0, 0, width, height};
    context->RSSetScissorRects(1, &all);
    glm::vec4 from(part.x, size.y - part.y - part.height, part.width, part.height);
    copyPass_->Draw(source, size, from, {width, height}, false);
    return ReadTexture(scaled.Get(), {0, 0, 0, static_cast<UINT>(width), static_cast<UINT>(height), 1});
}

std::vector<std::uint8_t> D3d11DrawingLayer::Read(Source source, const GlRect& part, int width, int height) {
    bool picture = source == Source::Picture;
    if (picture) picture_->Resolve(device_->Context());
    bool intoPicture = intoPicture_;
    intoPicture_ = picture;
    const D3d11RenderTarget& from = Target();
    intoPicture_ = intoPicture;
    std::vector<std::uint8_t> pixels =
        part.width == width && part.height == height
            ? ReadTexture(from.Finished(), BoxOf(part, from.Height()))
            : ReadScaled(from.FinishedView(), {from.Width(), from.Height()}, part, width, height);
    BindAgain();
    return pixels;
}

}  // namespace engine

// What the Direct3D 11 layer draws into: a colour texture and its depth, multisampled when
// asked, with a plain texture the samples are resolved into for showing and reading.
#pragma once
#include "engine/d3d11_device.h"

namespace engine {

class D3d11RenderTarget {
public:
    D3d11RenderTarget(ID3D11Device* device, int width, int height, int samples);

    ID3D11RenderTargetView* ColourView() const { return colourView_.Get(); }
    ID3D11DepthStencilView* DepthView() const { return depthView_.Get(); }
    // The finished picture: the resolved one where multisampled.
    ID3D11Texture2D* Finished() const { return resolved_ ? resolved_.Get() : colour_.Get(); }
    ID3D11ShaderResourceView* FinishedView() const { return finishedView_.Get(); }
    void Resolve(ID3D11DeviceContext* context) const;
    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    int width_, height_;
    ComPtr<ID3D11Texture2D> colour_, resolved_, depth_;
    ComPtr<ID3D11RenderTargetView> colourView_;
    ComPtr<ID3D11DepthStencilView> depthView_;
    ComPtr<ID3D11ShaderResourceView> finishedView_;
};

// A plain colour texture of the layer's format, to draw into, read from, or copy through.
ComPtr<ID3D11Texture2D> MakeColourTexture(ID3D11Device* device, int width, int height, int samples, UINT bind);

}  // namespace engine

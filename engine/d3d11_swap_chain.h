// A monitor window's swap chain for the Direct3D 11 layer, with the canvas the window's
// picture is drawn into: a texture of the window's size that keeps what was drawn from
// frame to frame, as a window's back buffer does not, so that a frame may redraw only a
// part. A present copies the canvas into the back buffer; with the flip model (where DXGI
// offers IDXGIFactory2) Present1 is told the part that changed, otherwise the blt model
// shows it whole. Each chain notes its model in the event file.
#pragma once
#include <dxgi1_2.h>

#include <memory>

#include "engine/d3d11_device.h"
#include "engine/d3d11_render_target.h"
#include "engine/picture_geometry.h"

namespace engine {

class D3d11SwapChain {
public:
    // The blt model where the flip model is not offered, or not wanted (tests).
    D3d11SwapChain(ID3D11Device* device, HWND window, int width, int height, bool flipWanted);

    D3d11RenderTarget& Canvas() { return canvas_; }
    int Width() const { return canvas_.Width(); }
    int Height() const { return canvas_.Height(); }
    // Shows the canvas, waiting for this many vertical blanks; part (GL's way up) is what
    // changed since the last present, or null for everything.
    HRESULT Present(ID3D11DeviceContext* context, int interval, const GlRect* part);
    // Whether the chain has shown anything yet.
    bool Presented() const { return presented_; }

private:
    ComPtr<IDXGISwapChain> chain_;
    ComPtr<IDXGISwapChain1> flipChain_;
    ComPtr<ID3D11Texture2D> backBuffer_;
    D3d11RenderTarget canvas_;
    bool presented_ = false;
};

}  // namespace engine

#include "engine/d3d11_swap_chain.h"

#include <dxgi1_2.h>

#include "common/event_note.h"

namespace engine {

namespace {

ComPtr<IDXGIFactory> FactoryOf(ID3D11Device* device) {
    ComPtr<IDXGIDevice> dxgiDevice;
    ComPtr<IDXGIAdapter> adapter;
    ComPtr<IDXGIFactory> factory;
    Check(device->QueryInterface(IID_PPV_ARGS(&dxgiDevice)), "the device has no DXGI side");
    Check(dxgiDevice->GetAdapter(&adapter), "the device has no adapter");
    Check(adapter->GetParent(IID_PPV_ARGS(&factory)), "the adapter has no factory");
    return factory;
}

ComPtr<IDXGISwapChain1> FlipChain(IDXGIFactory* factory, ID3D11Device* device, HWND window, int width, int height) {
    ComPtr<IDXGIFactory2> factory2;
    if (FAILED(factory->QueryInterface(IID_PPV_ARGS(&factory2)))) return nullptr;
    DXGI_SWAP_CHAIN_DESC1 description{};
    description.Width = static_cast<UINT>(width);
    description.Height = static_cast<UINT>(height);
    description.Format = DXGI_FORMAT_R8G8B8A8_UNORM;
    description.SampleDesc.Count = 1;
    description.BufferUsage = DXGI_USAGE_RENDER_TARGET_OUTPUT;
    description.BufferCount = 2;
    description.SwapEffect = DXGI_SWAP_EFFECT_FLIP_SEQUENTIAL;
    ComPtr<IDXGISwapChain1> chain;
    if (FAILED(factory2->CreateSwapChainForHwnd(device, window, &description, nullptr, nullptr, &chain))) return nullptr;
    return chain;
}

ComPtr<IDXGISwapChain> BltChain(IDXGIFactory* factory, ID3D11Device* device, HWND window, int width, int height) {
    DXGI_SWAP_CHAIN_DESC description{};
    description.BufferDesc.Width = static_cast<UINT>(width);
    description.BufferDesc.Height = static_cast<UINT>(height);
    description.BufferDesc.Format = DXGI_FORMAT_R8G8B8A8_UNORM;
    description.SampleDesc.Count = 1;
    description.BufferUsage = DXGI_USAGE_RENDER_TARGET_OUTPUT;
    description.BufferCount = 1;
    description.OutputWindow = window;
    description.Windowed = TRUE;
    description.SwapEffect = DXGI_SWAP_EFFECT_DISCARD;
    ComPtr<IDXGISwapChain> chain;
    Check(factory->CreateSwapChain(device, &description, &chain), "no swap chain for the window");
    return chain;
}

}  // namespace

D3d11SwapChain::D3d11SwapChain(ID3D11Device* device, HWND window, int width, int height, bool flipWanted)
    : canvas_(device, width, height, 0) {
    ComPtr<IDXGIFactory> factory = FactoryOf(device);
    if (flipWanted) flipChain_ = FlipChain(factory.Get(), device, window, width, height);
    NoteEvent(flipChain_ ? "swap-chain flip" : "swap-chain blt");
    if (flipChain_)
        chain_ = flipChain_;
    else
        chain_ = BltChain(factory.Get(), device, window, width, height);
    // The saver decides what its windows do; DXGI is not to turn them full-screen.
    factory->MakeWindowAssociation(window, DXGI_MWA_NO_WINDOW_CHANGES | DXGI_MWA_NO_ALT_ENTER);
    Check(chain_->GetBuffer(0, IID_PPV_ARGS(&backBuffer_)), "the swap chain has no back buffer");
}

HRESULT D3d11SwapChain::Present(ID3D11DeviceContext* context, int interval, const GlRect* part) {
    context->CopyResource(backBuffer_.Get(), canvas_.Finished());
    UINT syncInterval = static_cast<UINT>(interval);
    if (!flipChain_ || !presented_ || !part || part->width <= 0 || part->height <= 0) {
        presented_ = true;
        return chain_->Present(syncInterval, 0);
    }
    RECT changed{part->x, Height() - part->y - part->height, part->x + part->width, Height() - part->y};
    DXGI_PRESENT_PARAMETERS parameters{};
    parameters.DirtyRectsCount = 1;
    parameters.pDirtyRects = &changed;
    return flipChain_->Present1(syncInterval, 0, &parameters);
}

}  // namespace engine

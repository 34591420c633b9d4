// The Direct3D 11 device the layer draws with, on the graphics card or on WARP, and the
// HLSL compiler (d3dcompiler_47.dll, loaded when the device is made: without it this road
// is refused and the next one taken). A removed device is replaced in the same holder;
// what was made on the old one notices by its generation and makes itself again.
#pragma once
#include <d3d11.h>
#include <wrl/client.h>

#include <string>
#include <vector>

namespace engine {

using Microsoft::WRL::ComPtr;

enum class D3d11Road { Hardware, Warp };

class D3d11Device {
public:
    // Throws the engine's failure when the road offers no device of feature level 10_0 or
    // better, or the compiler is missing.
    explicit D3d11Device(D3d11Road road);
    ~D3d11Device();
    D3d11Device(const D3d11Device&) = delete;
    D3d11Device& operator=(const D3d11Device&) = delete;

    ID3D11Device* Device() const { return device_.Get(); }
    ID3D11DeviceContext* Context() const { return context_.Get(); }
    D3D_FEATURE_LEVEL Level() const { return level_; }
    // Whether it rasterises on the processor: WARP, an adapter that says it is software,
    // or any adapter under Wine (see engine/d3d11_device.cpp).
    bool Software() const { return software_; }
    // Counts the devices made: what was made on an earlier one is gone.
    int Generation() const { return generation_; }
    // A new device on the same road, in place of a removed one.
    void Replace();

    // The compiled program for the entry point of the HLSL source in the kind of shader
    // ("vs" or "ps"); throws the engine's failure with the compiler's words.
    std::vector<char> Compile(const std::string& source, const char* entry, const char* kind) const;
    ComPtr<ID3D11VertexShader> VertexShader(const std::vector<char>& program) const;
    ComPtr<ID3D11PixelShader> PixelShader(const std::vector<char>& program) const;
    ComPtr<ID3D11Buffer> Buffer(UINT bytes, UINT bind, const void* data, bool dynamic) const;
    // Waits asleep until the device has done everything asked of it so far, two seconds
    // at most.
    void Finish() const;
    // Replaces a dynamic buffer's whole content.
    void Fill(ID3D11Buffer* buffer, const void* data, std::size_t bytes) const;

private:
    void Make();

    D3d11Road road_;
    ComPtr<ID3D11Device> device_;
    ComPtr<ID3D11DeviceContext> context_;
    ComPtr<ID3D11Query> finished_;
    D3D_FEATURE_LEVEL level_{};
    bool software_ = false;
    int generation_ = 0;
    HMODULE compilerLibrary_ = nullptr;
    void* compile_ = nullptr;
};

// Throws the engine's failure, naming what failed, unless the result is a success.
void Check(HRESULT result, const char* what);

}  // namespace engine

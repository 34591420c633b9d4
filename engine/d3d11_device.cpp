#include "engine/d3d11_device.h"

#include <d3dcompiler.h>
#include <dxgi.h>

#include <cstring>

#include "common/runtime_error.h"
#include "seams/display.h"

namespace engine {

namespace {

// Microsoft's vendor number: its Basic Render Driver is WARP behind an adapter.
constexpr UINT kMicrosoftVendor = 0x1414;

// Wine's Direct3D draws with the host's GL and names the adapter after a graphics card of
// its own choosing whatever that GL is (Mesa's llvmpipe comes out as a GeForce with
// gigabytes of its own memory), so under Wine no adapter is taken for a graphics card.
bool UnderWine() {
    HMODULE system = GetModuleHandleA("ntdll.dll");
    return system && GetProcAddress(system, "wine_get_version");
}

// The adapter's own word first; its memory tells nothing, as many integrated graphics
// cards have none of their own.
bool SoftwareAdapter(ID3D11Device* device) {
    ComPtr<IDXGIDevice> dxgiDevice;
    ComPtr<IDXGIAdapter> adapter;
    ComPtr<IDXGIAdapter1> adapter1;
    DXGI_ADAPTER_DESC1 description{};
    if (FAILED(device->QueryInterface(IID_PPV_ARGS(&dxgiDevice))) || FAILED(dxgiDevice->GetAdapter(&adapter)) ||
        FAILED(adapter.As(&adapter1)) || FAILED(adapter1->GetDesc1(&description)))
        return UnderWine();
    if ((description.Flags & DXGI_ADAPTER_FLAG_SOFTWARE) || description.VendorId == kMicrosoftVendor) return true;
    // Mesa's rasterisers behind a Direct3D driver of theirs.
    for (const wchar_t* name : {L"llvmpipe", L"softpipe"})
        if (std::wcsstr(description.Description, name)) return true;
    return UnderWine();
}

}  // namespace

void Check(HRESULT result, const char* what) {
    if (FAILED(result)) throw RuntimeError(ErrorCode::InvalidArgument, std::string("Direct3D 11: ") + what);
}

D3d11Device::D3d11Device(D3d11Road road) : road_(road) {
    compilerLibrary_ = LoadLibraryA("d3dcompiler_47.dll");
    if (compilerLibrary_) compile_ = reinterpret_cast<void*>(GetProcAddress(compilerLibrary_, "D3DCompile"));
    if (!compile_) {
        if (compilerLibrary_) FreeLibrary(compilerLibrary_);
        throw RuntimeError(ErrorCode::InvalidArgument, "Direct3D 11: no HLSL compiler (d3dcompiler_47.dll)");
    }
    try {
        Make();
    } catch (...) {
        FreeLibrary(compilerLibrary_);
        throw;
    }
}

D3d11Device::~D3d11Device() {
    finished_.Reset();
    context_.Reset();
    device_.Reset();
    FreeLibrary(compilerLibrary_);
}

void D3d11Device::Make() {
    const D3D_FEATURE_LEVEL levels[] = {D3D_FEATURE_LEVEL_11_0, D3D_FEATURE_LEVEL_10_1, D3D_FEATURE_LEVEL_10_0};
    D3D_DRIVER_TYPE type = road_ == D3d11Road::Warp ? D3D_DRIVER_TYPE_WARP : D3D_DRIVER_TYPE_HARDWARE;
    ComPtr<ID3D11Device> device;
    ComPtr<ID3D11DeviceContext> context;
    Check(D3D11CreateDevice(nullptr, type, nullptr, 0, levels, 3, D3D11_SDK_VERSION, &device, &level_, &context),
          "no device of feature level 10_0 or better");
    device_ = device;
    context_ = context;
    software_ = road_ == D3d11Road::Warp || SoftwareAdapter(device_.Get());
    // One query for every wait, as a software device waits every frame.
    D3D11_QUERY_DESC description{D3D11_QUERY_EVENT, 0};
    Check(device_->CreateQuery(&description, &finished_), "no query to wait with");
    ++generation_;
}

void D3d11Device::Replace() {
    if (context_) context_->ClearState();
    finished_.Reset();
    context_.Reset();
    device_.Reset();
    Make();
}

std::vector<char> D3d11Device::Compile(const std::string& source, const char* entry, const char* kind) const {
    auto compile = reinterpret_cast<pD3DCompile>(compile_);
    std::string profile = std::string(kind) + "_4_0";
    ComPtr<ID3DBlob> program, errors;
    HRESULT result = compile(source.data(), source.size(), "kelvora", nullptr, nullptr, entry, profile.c_str(),
                             D3DCOMPILE_OPTIMIZATION_LEVEL3, 0, &program, &errors);
    if (FAILED(result)) {
        std::string words = errors ? std::string(static_cast<const char*>(errors->GetBufferPointer()),
                                                 errors->GetBufferSize())
                                   : std::string();
        throw RuntimeError(ErrorCode::InvalidArgument, std::string("Direct3D 11: ") + entry + " does not compile: " + words);
    }
    const char* bytes = static_cast<const char*>(program->GetBufferPointer());
    return std::vector<char>(bytes, bytes + program->GetBufferSize());
}

ComPtr<ID3D11VertexShader> D3d11Device::VertexShader(const std::vector<char>& program) const {
    ComPtr<ID3D11VertexShader> shader;
    Check(device_->CreateVertexShader(program.data(), program.size(), nullptr, &shader), "a vertex shader is refused");
    return shader;
}

ComPtr<ID3D11PixelShader> D3d11Device::PixelShader(const std::vector<char>& program) const {
    ComPtr<ID3D11PixelShader> shader;
    Check(device_->CreatePixelShader(program.data(), program.size(), nullptr, &shader), "a pixel shader is refused");
    return shader;
}

ComPtr<ID3D11Buffer> D3d11Device::Buffer(UINT bytes, UINT bind, const void* data, bool dynamic) const {
    D3D11_BUFFER_DESC description{};
    description.ByteWidth = bytes;
    description.BindFlags = bind;
    description.Usage = dynamic ? D3D11_USAGE_DYNAMIC : D3D11_USAGE_IMMUTABLE;
    description.CPUAccessFlags = dynamic ? D3D11_CPU_ACCESS_WRITE : 0;
    D3D11_SUBRESOURCE_DATA initial{data, 0, 0};
    ComPtr<ID3D11Buffer> buffer;
    Check(device_->CreateBuffer(&description, data ? &initial : nullptr, &buffer), "a buffer cannot be made");
    return buffer;
}

void D3d11Device::Fill(ID3D11Buffer* buffer, const void* data, std::size_t bytes) const {
    D3D11_MAPPED_SUBRESOURCE mapped{};
    HRESULT result = context_->Map(buffer, 0, D3D11_MAP_WRITE_DISCARD, 0, &mapped);
    // A removed device loses the frame; the present that ends it makes a new device.
    if (result == DXGI_ERROR_DEVICE_REMOVED || result == DXGI_ERROR_DEVICE_RESET) return;
    Check(result, "a buffer cannot be written");
    std::memcpy(mapped.pData, data, bytes);
    context_->Unmap(buffer, 0);
}

void D3d11Device::Finish() const {
    context_->End(finished_.Get());
    // Windows' own Sleep() counts in timer ticks (often 15.6 ms), longer than a frame; the
    // display's keeps to the millisecond where it can.
    constexpr double kLook = 0.0005;
    for (double waited = 0; waited < 2.0 && context_->GetData(finished_.Get(), nullptr, 0, 0) == S_FALSE; waited += kLook)
        platform::Screen().Sleep(kLook);
}

}  // namespace engine

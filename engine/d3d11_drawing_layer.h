// The drawing layer over Direct3D 11 (Windows): one device, on the graphics card or WARP
// (engine/d3d11_device.h); a swap chain with a kept canvas for each monitor window
// (engine/d3d11_swap_chain.h); a render target as the off-screen picture; meshes and
// sprites drawn by engine/d3d11_mesh_drawing.h and engine/d3d11_sprite_drawing.h. The
// same shape as the OpenGL layer (engine/gl_drawing_layer.h), and the same picture.
//
// A removed or reset device (a driver update, a remote-desktop connect) is replaced by a
// new one on the same road, on which everything is made again; the window's canvas is
// lost with it, so from then on every frame is drawn whole.
#pragma once
#include <map>
#include <memory>

#include "engine/d3d11_device.h"
#include "engine/d3d11_states.h"
#include "engine/drawing_layer.h"

namespace engine {

class D3d11ClearPass;
class D3d11MeshDrawing;
class D3d11PresentPass;
class D3d11RenderTarget;
class D3d11SpriteDrawing;
class D3d11SwapChain;

struct D3d11Options {
    D3d11Road road = D3d11Road::Hardware;
    // Presents never wait for the vertical blank (a benchmark's loops).
    bool uncapped = false;
    // For tests: the present with this number (from 1) answers that the device was
    // removed; 0 never.
    int removedAtPresent = 0;
    // For tests: the swap chains take the blt model even where the flip model is offered.
    bool bltModel = false;
};

class D3d11DrawingLayer : public DrawingLayer {
public:
    D3d11DrawingLayer(platform::WindowHandle window, const D3d11Options& options);
    ~D3d11DrawingLayer() override;
    D3d11DrawingLayer(const D3d11DrawingLayer&) = delete;
    D3d11DrawingLayer& operator=(const D3d11DrawingLayer&) = delete;

    bool SoftwareRenderer() const override;
    int OfferedSamples(int wanted) const override;
    bool WindowHasDepth() const override;
    int LargestTexture() const override;

    std::unique_ptr<LayerTexture> MakeTexture(const Picture& picture, bool smooth, bool chain) override;
    std::unique_ptr<LayerMesh> MakeMesh(const std::vector<MeshVertex>& corners,
                                        const std::vector<std::uint32_t>& indices) override;
    void DrawMesh(LayerMesh& mesh, const MeshDrawInputs& inputs, bool depthTested) override;
    void DrawSprites(const SpriteVertex* triangles, std::size_t count, const SpriteDraw& how) override;

    void MakePicture(int width, int height, int samples, float gamma) override;
    void DrawIntoWindow(platform::WindowHandle window, const GlRect& viewport) override;
    void DrawIntoPicture() override;
    void Clear(const GlRect& area, const glm::vec3& colour, bool depth) override;
    void ClearDepth() override;
    void HoldTo(const GlRect& part) override;

    void KeepCopy(const GlRect& part) override;
    void PutCopyBack(const GlRect& within) override;

    bool FinishPicture(const GlRect& part) override;
    void ShowPicture(platform::PixelSize window, const GlRect& viewport, const glm::vec3& bars,
                     const GlRect* part) override;
    std::vector<std::uint8_t> Read(Source source, const GlRect& part, int width, int height) override;

    void SetSwapInterval(platform::WindowHandle window, int interval) override;
    void Present(platform::WindowHandle window) override;
    bool PresentPart(platform::WindowHandle window, const GlRect& part) override;

private:
    // The window's swap chain, made (again) where it is missing or of another size.
    D3d11SwapChain& ChainOf(HWND window);
    D3d11RenderTarget& Target() const;
    // Drawing goes where it went before something else was bound.
    void BindAgain() const;
    void SetViewport(const GlRect& rect) const;
    void SetScissor(const GlRect& rect) const;
    // Colour and depth of the rectangle as the clear pass writes them.
    void ClearWithin(const GlRect& area, const glm::vec3& colour, bool colourToo, bool depth);
    // Rows from the top of the single-sampled texture.
    std::vector<std::uint8_t> ReadTexture(ID3D11Texture2D* texture, const D3D11_BOX& box);
    std::vector<std::uint8_t> ReadScaled(ID3D11ShaderResourceView* source, glm::ivec2 size, const GlRect& part,
                                         int width, int height);
    void PresentChain(HWND window, const GlRect* part);
    // Everything made again on a new device.
    void Recover();

    D3d11Options options_;
    std::shared_ptr<D3d11Device> device_;
    D3d11States states_;
    std::unique_ptr<D3d11MeshDrawing> meshes_;
    std::unique_ptr<D3d11SpriteDrawing> sprites_;
    std::unique_ptr<D3d11ClearPass> clearPass_;
    std::unique_ptr<D3d11PresentPass> copyPass_, presentPass_;
    std::unique_ptr<D3d11RenderTarget> picture_;
    int pictureSamples_ = 0;
    float pictureGamma_ = 1;
    std::map<HWND, std::unique_ptr<D3d11SwapChain>> chains_;
    std::map<HWND, int> intervals_;
    HWND current_;
    bool intoPicture_ = false;
    GlRect viewport_, held_;
    // The kept copy of part of a window's canvas, and the part.
    ComPtr<ID3D11Texture2D> copy_;
    int copyWidth_ = 0, copyHeight_ = 0;
    GlRect copied_;
    int presents_ = 0;
    bool canvasLost_ = false, partOnBlank_ = false;
    // The off-screen picture was made again on a new device since it was last finished.
    bool pictureLost_ = false;
    // Noted in the event file at the first present on a new device.
    bool replacedUnseen_ = false;
};

}  // namespace engine

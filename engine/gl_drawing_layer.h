// The drawing layer over OpenGL 3.3 core: the one GL context on the display's window,
// made current on each monitor window in turn, its default framebuffer as the window's
// back buffer, a framebuffer object as the off-screen picture; meshes and sprites drawn
// by engine/gl_mesh_drawing.h and engine/gl_sprite_drawing.h.
#pragma once
#include <memory>

#include "engine/drawing_layer.h"

namespace engine {

class GlMeshDrawing;
class GlSpriteDrawing;
class PresentPass;
class RenderTarget;
class SteadyPicture;

class GlDrawingLayer : public DrawingLayer {
public:
    explicit GlDrawingLayer(platform::WindowHandle window);
    ~GlDrawingLayer() override;
    GlDrawingLayer(const GlDrawingLayer&) = delete;
    GlDrawingLayer& operator=(const GlDrawingLayer&) = delete;

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
    void MakeCurrent(platform::WindowHandle window);
    // Drawing goes where it went before something else was bound.
    void BindAgain() const;
    // The GL framebuffer drawing goes to.
    unsigned DrawnFramebuffer() const;

    platform::WindowHandle window_, current_;
    std::unique_ptr<GlMeshDrawing> meshes_;
    std::unique_ptr<GlSpriteDrawing> sprites_;
    std::unique_ptr<RenderTarget> picture_;
    int pictureWidth_ = 0, pictureHeight_ = 0;
    std::unique_ptr<PresentPass> presentPass_;
    std::unique_ptr<SteadyPicture> copy_;
    bool intoPicture_ = false;
    GlRect viewport_, held_;
};

}  // namespace engine

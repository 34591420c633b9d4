#include "engine/d3d11_drawing_layer.h"

#include <algorithm>
#include <utility>

#include "common/event_note.h"
#include "common/runtime_error.h"
#include "engine/d3d11_clear_pass.h"
#include "engine/d3d11_mesh_drawing.h"
#include "engine/d3d11_present_pass.h"
#include "engine/d3d11_render_target.h"
#include "engine/d3d11_sprite_drawing.h"
#include "engine/d3d11_swap_chain.h"
#include "engine/d3d11_textures.h"

namespace engine {

namespace {

HWND WindowOf(platform::WindowHandle handle) { return reinterpret_cast<HWND>(handle); }

}  // namespace

D3d11DrawingLayer::D3d11DrawingLayer(platform::WindowHandle window, const D3d11Options& options)
    : options_(options), device_(std::make_shared<D3d11Device>(options.road)), current_(WindowOf(window)) {
    states_.Make(device_->Device());
    meshes_ = std::make_unique<D3d11MeshDrawing>(device_, states_);
    sprites_ = std::make_unique<D3d11SpriteDrawing>(device_, states_);
    clearPass_ = std::make_unique<D3d11ClearPass>(device_, states_);
    copyPass_ = std::make_unique<D3d11PresentPass>(device_, states_, 1.0f);
    ChainOf(current_);
    viewport_ = {0, 0, Target().Width(), Target().Height()};
}

D3d11DrawingLayer::~D3d11DrawingLayer() {
    if (device_->Context()) device_->Context()->ClearState();
}

bool D3d11DrawingLayer::SoftwareRenderer() const { return device_->Software(); }

int D3d11DrawingLayer::OfferedSamples(int wanted) const {
    for (int samples = wanted; samples >= 2; --samples) {
        UINT colour = 0, depth = 0;
        device_->Device()->CheckMultisampleQualityLevels(DXGI_FORMAT_R8G8B8A8_UNORM, samples, &colour);
        device_->Device()->CheckMultisampleQualityLevels(DXGI_FORMAT_D24_UNORM_S8_UINT, samples, &depth);
        if (colour > 0 && depth > 0) return samples;
    }
    return 0;
}

// Every window's canvas has a depth buffer.
bool D3d11DrawingLayer::WindowHasDepth() const { return true; }

int D3d11DrawingLayer::LargestTexture() const {
    return device_->Level() >= D3D_FEATURE_LEVEL_11_0 ? D3D11_REQ_TEXTURE2D_U_OR_V_DIMENSION
                                                      : D3D10_REQ_TEXTURE2D_U_OR_V_DIMENSION;
}

std::unique_ptr<LayerTexture> D3d11DrawingLayer::MakeTexture(const Picture& picture, bool smooth, bool chain) {
    return std::make_unique<D3d11Texture>(device_, picture, smooth, chain);
}

std::unique_ptr<LayerMesh> D3d11DrawingLayer::MakeMesh(const std::vector<MeshVertex>& corners,
                                                       const std::vector<std::uint32_t>& indices) {
    return std::make_unique<D3d11Mesh>(device_, corners, indices);
}

void D3d11DrawingLayer::DrawMesh(LayerMesh& mesh, const MeshDrawInputs& inputs, bool depthTested) {
    meshes_->Draw(static_cast<D3d11Mesh&>(mesh), inputs, depthTested);
}

void D3d11DrawingLayer::DrawSprites(const SpriteVertex* triangles, std::size_t count, const SpriteDraw& how) {
    sprites_->Draw(triangles, count, how);
}

void D3d11DrawingLayer::MakePicture(int width, int height, int samples, float gamma) {
    picture_ = std::make_unique<D3d11RenderTarget>(device_->Device(), width, height, samples);
    pictureSamples_ = samples;
    pictureGamma_ = gamma;
    presentPass_ = std::make_unique<D3d11PresentPass>(device_, states_, gamma);
}

D3d11SwapChain& D3d11DrawingLayer::ChainOf(HWND window) {
    platform::PixelSize size = platform::Screen().DrawableSize(reinterpret_cast<platform::WindowHandle>(window));
    size.width = std::max(size.width, 1);
    size.height = std::max(size.height, 1);
    std::unique_ptr<D3d11SwapChain>& chain = chains_[window];
    if (!chain || chain->Width() != size.width || chain->Height() != size.height) {
        // One swap chain a window: the old one goes first.
        chain.reset();
        chain = std::make_unique<D3d11SwapChain>(device_->Device(), window, size.width, size.height, !options_.bltModel);
    }
    return *chain;
}

D3d11RenderTarget& D3d11DrawingLayer::Target() const {
    return intoPicture_ ? *picture_ : chains_.at(current_)->Canvas();
}

void D3d11DrawingLayer::DrawIntoWindow(platform::WindowHandle window, const GlRect& viewport) {
    current_ = WindowOf(window);
    ChainOf(current_);
    intoPicture_ = false;
    viewport_ = viewport;
    BindAgain();
}

void D3d11DrawingLayer::DrawIntoPicture() {
    intoPicture_ = true;
    BindAgain();
}

// Rectangles come GL's way up; Direct3D counts rows from the top.
void D3d11DrawingLayer::SetViewport(const GlRect& rect) const {
    D3D11_VIEWPORT viewport{};
    viewport.TopLeftX = static_cast<float>(rect.x);
    viewport.TopLeftY = static_cast<float>(Target().Height() - rect.y - rect.height);
    viewport.Width = static_cast<float>(rect.width);
    viewport.Height = static_cast<float>(rect.height);
    viewport.MaxDepth = 1.0f;
    device_->Context()->RSSetViewports(1, &viewport);
}

void D3d11DrawingLayer::SetScissor(const GlRect& rect) const {
    const D3d11RenderTarget& target = Target();
    D3D11_RECT scissor{0, 0, target.Width(), target.Height()};
    if (rect.width > 0 && rect.height > 0)
        scissor = {rect.x, target.Height() - rect.y - rect.height, rect.x + rect.width, target.Height() - rect.y};
    device_->Context()->RSSetScissorRects(1, &scissor);
}

void D3d11DrawingLayer::BindAgain() const {
    const D3d11RenderTarget& target = Target();
    ID3D11RenderTargetView* colour = target.ColourView();
    device_->Context()->OMSetRenderTargets(1, &colour, target.DepthView());
    SetViewport(intoPicture_ ? GlRect{0, 0, target.Width(), target.Height()} : viewport_);
    SetScissor(held_);
}

void D3d11DrawingLayer::ClearWithin(const GlRect& area, const glm::vec3& colour, bool colourToo, bool depth) {
    if (area.width <= 0 || area.height <= 0) return;
    SetViewport({0, 0, Target().Width(), Target().Height()});
    SetScissor(area);
    clearPass_->Draw(colour, colourToo, depth);
    BindAgain();
}

void D3d11DrawingLayer::Clear(const GlRect& area, const glm::vec3& colour, bool depth) {
    ClearWithin(area, colour, true, depth);
}

void D3d11DrawingLayer::ClearDepth() {
    GlRect held = held_.width > 0 && held_.height > 0 ? held_ : GlRect{0, 0, Target().Width(), Target().Height()};
    ClearWithin(held, glm::vec3(0), false, true);
}

void D3d11DrawingLayer::HoldTo(const GlRect& part) {
    held_ = part;
    SetScissor(part);
}

// Direct3D resolves only whole pictures; a multisampled one is drawn only on a graphics
// card, where that costs little.
bool D3d11DrawingLayer::FinishPicture(const GlRect&) {
    picture_->Resolve(device_->Context());
    return !std::exchange(pictureLost_, false);
}

void D3d11DrawingLayer::ShowPicture(platform::PixelSize window, const GlRect& viewport, const glm::vec3& bars,
                                    const GlRect* part) {
    if (part && (part->width <= 0 || part->height <= 0)) return;
    if (part) {
        // The whole copy's triangle, cut to the part: each pixel of it as the whole has it.
        SetScissor(*part);
    } else {
        Clear({0, 0, window.width, window.height}, bars, false);
        // The canvas is drawn anew: what a refused part left on it is gone.
        partOnBlank_ = false;
    }
    SetViewport(viewport);
    presentPass_->Draw(picture_->FinishedView(), {picture_->Width(), picture_->Height()},
                       glm::vec4(0, 0, picture_->Width(), picture_->Height()), {viewport.width, viewport.height}, true);
    BindAgain();
}

void D3d11DrawingLayer::SetSwapInterval(platform::WindowHandle window, int interval) {
    intervals_[WindowOf(window)] = options_.uncapped ? 0 : interval;
}

void D3d11DrawingLayer::Present(platform::WindowHandle window) {
    if (std::exchange(partOnBlank_, false)) return;
    PresentChain(WindowOf(window), nullptr);
}

bool D3d11DrawingLayer::PresentPart(platform::WindowHandle window, const GlRect& part) {
    // A new device's canvas holds nothing of the earlier frames: this frame was drawn in
    // part on a blank canvas and is not shown, and every later one is drawn whole.
    if (canvasLost_) {
        partOnBlank_ = true;
        return false;
    }
    PresentChain(WindowOf(window), &part);
    return true;
}

void D3d11DrawingLayer::PresentChain(HWND window, const GlRect* part) {
    platform::Screen().Presenting(reinterpret_cast<platform::WindowHandle>(window));
    D3d11SwapChain& chain = ChainOf(window);
    bool first = !chain.Presented();
    HRESULT result = chain.Present(device_->Context(), intervals_[window], part);
    if (++presents_ == options_.removedAtPresent) result = DXGI_ERROR_DEVICE_REMOVED;
    if (result == DXGI_ERROR_DEVICE_REMOVED || result == DXGI_ERROR_DEVICE_RESET) {
        Recover();
        return;
    }
    Check(result, "a present failed");
    // The device shows a present when it gets to it; the window's first picture (the
    // saver's loading picture) is on the screen before the saver goes on. A software
    // device draws on the same processors as the saver: waiting for it asleep leaves them
    // to it, where Wine's Direct3D would spin until it is ready for the next frame.
    if (first || device_->Software()) device_->Finish();
    if (std::exchange(replacedUnseen_, false)) NoteEvent("device-replaced");
}

void D3d11DrawingLayer::Recover() {
    NoteEvent("device-removed");
    chains_.clear();
    copy_.Reset();
    copied_ = {};
    device_->Replace();
    states_.Make(device_->Device());
    if (picture_) {
        MakePicture(picture_->Width(), picture_->Height(), pictureSamples_, pictureGamma_);
        pictureLost_ = true;
    }
    canvasLost_ = true;
    ChainOf(current_);
    BindAgain();
    replacedUnseen_ = true;
}

}  // namespace engine

#include "engine/gl_drawing_layer.h"

#include <glad/gl.h>

#include <algorithm>

#include "engine/gl_context.h"
#include "engine/gl_mesh_drawing.h"
#include "engine/gl_sprite_drawing.h"
#include "engine/gl_textures.h"
#include "engine/gl_present_pass.h"
#include "engine/gl_render_target.h"
#include "engine/gl_steady_picture.h"

namespace engine {

namespace {

// GL gives the bottom row first.
void FlipRows(std::vector<std::uint8_t>& pixels, int width, int height) {
    std::size_t row = static_cast<std::size_t>(width) * 4;
    for (int top = 0, bottom = height - 1; top < bottom; ++top, --bottom)
        std::swap_ranges(pixels.begin() + top * row, pixels.begin() + (top + 1) * row, pixels.begin() + bottom * row);
}

// Reads a rectangle of the bound read framebuffer's colour, rows from the top.
std::vector<std::uint8_t> ReadColour(const GlRect& from) {
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(from.width) * from.height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(from.x, from.y, from.width, from.height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    FlipRows(pixels, from.width, from.height);
    return pixels;
}

}  // namespace

GlDrawingLayer::GlDrawingLayer(platform::WindowHandle window) : window_(window), current_(window) {
    StartGlContext(window);
    try {
        meshes_ = std::make_unique<GlMeshDrawing>();
        sprites_ = std::make_unique<GlSpriteDrawing>();
        copy_ = std::make_unique<SteadyPicture>();
    } catch (...) {
        sprites_.reset();
        StopGlContext(window);
        throw;
    }
}

GlDrawingLayer::~GlDrawingLayer() {
    // The GL objects go while their context is alive.
    copy_.reset();
    presentPass_.reset();
    picture_.reset();
    sprites_.reset();
    meshes_.reset();
    StopGlContext(window_);
}

bool GlDrawingLayer::SoftwareRenderer() const { return engine::SoftwareRenderer(); }

int GlDrawingLayer::OfferedSamples(int wanted) const { return engine::OfferedSamples(wanted); }

bool GlDrawingLayer::WindowHasDepth() const { return engine::WindowHasDepth(); }

int GlDrawingLayer::LargestTexture() const {
    GLint side = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &side);
    return side;
}

std::unique_ptr<LayerTexture> GlDrawingLayer::MakeTexture(const Picture& picture, bool smooth, bool chain) {
    return std::make_unique<GlTexture>(picture, smooth, chain);
}

std::unique_ptr<LayerMesh> GlDrawingLayer::MakeMesh(const std::vector<MeshVertex>& corners,
                                                    const std::vector<std::uint32_t>& indices) {
    return std::make_unique<GlMesh>(corners, indices);
}

void GlDrawingLayer::DrawMesh(LayerMesh& mesh, const MeshDrawInputs& inputs, bool depthTested) {
    meshes_->Draw(static_cast<const GlMesh&>(mesh), inputs, depthTested);
}

void GlDrawingLayer::DrawSprites(const SpriteVertex* triangles, std::size_t count, const SpriteDraw& how) {
    sprites_->Draw(triangles, count, how);
}

void GlDrawingLayer::MakePicture(int width, int height, int samples, float gamma) {
    picture_ = std::make_unique<RenderTarget>(width, height, samples);
    pictureWidth_ = width;
    pictureHeight_ = height;
    presentPass_ = std::make_unique<PresentPass>(gamma);
}

void GlDrawingLayer::MakeCurrent(platform::WindowHandle window) {
    if (window == current_) return;
    platform::Screen().MakeCurrent(window);
    current_ = window;
}

void GlDrawingLayer::DrawIntoWindow(platform::WindowHandle window, const GlRect& viewport) {
    MakeCurrent(window);
    intoPicture_ = false;
    viewport_ = viewport;
    BindAgain();
}

void GlDrawingLayer::DrawIntoPicture() {
    MakeCurrent(window_);
    intoPicture_ = true;
    BindAgain();
}

void GlDrawingLayer::BindAgain() const {
    if (intoPicture_) {
        picture_->Bind();
        return;
    }
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(viewport_.x, viewport_.y, viewport_.width, viewport_.height);
}

void GlDrawingLayer::Clear(const GlRect& area, const glm::vec3& colour, bool depth) {
    glEnable(GL_SCISSOR_TEST);
    glScissor(area.x, area.y, area.width, area.height);
    glDepthMask(GL_TRUE);
    glClearColor(colour.r, colour.g, colour.b, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | (depth ? GL_DEPTH_BUFFER_BIT : 0));
    HoldTo(held_);
}

void GlDrawingLayer::ClearDepth() {
    glDepthMask(GL_TRUE);
    glClear(GL_DEPTH_BUFFER_BIT);
}

void GlDrawingLayer::HoldTo(const GlRect& part) {
    held_ = part;
    if (part.width <= 0 || part.height <= 0) {
        glDisable(GL_SCISSOR_TEST);
        return;
    }
    glEnable(GL_SCISSOR_TEST);
    glScissor(part.x, part.y, part.width, part.height);
}

unsigned GlDrawingLayer::DrawnFramebuffer() const { return intoPicture_ ? picture_->DrawnFramebuffer() : 0; }

void GlDrawingLayer::KeepCopy(const GlRect& part) {
    glDisable(GL_SCISSOR_TEST);
    copy_->Take(DrawnFramebuffer(), part);
    BindAgain();
    HoldTo(held_);
}

void GlDrawingLayer::PutCopyBack(const GlRect& within) {
    copy_->Restore(DrawnFramebuffer(), within);
    BindAgain();
}

bool GlDrawingLayer::FinishPicture(const GlRect& part) {
    picture_->Resolve(part);
    BindAgain();
    HoldTo(held_);
    return true;
}

void GlDrawingLayer::ShowPicture(platform::PixelSize window, const GlRect& viewport, const glm::vec3& bars,
                                 const GlRect* part) {
    if (part && (part->width <= 0 || part->height <= 0)) return;
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    if (part) {
        // The whole copy's triangle, cut to the part: each pixel of it as the whole has it.
        glEnable(GL_SCISSOR_TEST);
        glScissor(part->x, part->y, part->width, part->height);
    } else {
        Clear({0, 0, window.width, window.height}, bars, false);
    }
    glViewport(viewport.x, viewport.y, viewport.width, viewport.height);
    presentPass_->Draw(picture_->Texture(), {pictureWidth_, pictureHeight_}, {viewport.width, viewport.height});
    HoldTo(held_);
}

std::vector<std::uint8_t> GlDrawingLayer::Read(Source source, const GlRect& part, int width, int height) {
    GLuint framebuffer = 0;
    if (source == Source::Picture) {
        picture_->Resolve();
        framebuffer = picture_->ResolvedFramebuffer();
    }
    std::vector<std::uint8_t> pixels;
    if (part.width == width && part.height == height) {
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        pixels = ReadColour(part);
    } else {
        RenderTarget scaled(width, height, 0);
        glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, scaled.ResolvedFramebuffer());
        glBlitFramebuffer(part.x, part.y, part.x + part.width, part.y + part.height, 0, 0, width, height,
                          GL_COLOR_BUFFER_BIT, GL_LINEAR);
        glBindFramebuffer(GL_FRAMEBUFFER, scaled.ResolvedFramebuffer());
        pixels = ReadColour({0, 0, width, height});
    }
    BindAgain();
    return pixels;
}

void GlDrawingLayer::SetSwapInterval(platform::WindowHandle window, int interval) {
    MakeCurrent(window);
    platform::Screen().SetSwapInterval(interval);
}

void GlDrawingLayer::Present(platform::WindowHandle window) { platform::Screen().SwapBuffers(window); }

bool GlDrawingLayer::PresentPart(platform::WindowHandle window, const GlRect& part) {
    return platform::Screen().PresentPart(window, {part.x, part.y, part.width, part.height});
}

}  // namespace engine

#include "engine/partial_frame.h"

#include <glad/gl.h>

#include "engine/clock.h"
#include "engine/render_target.h"
#include "engine/steady_picture.h"

namespace engine {

namespace {

void ClearTo(const glm::vec3& colour, GLbitfield buffers) {
    glClearColor(colour.r, colour.g, colour.b, 1.0f);
    glClear(buffers);
}

void Scissor(const GlRect& rect) {
    glEnable(GL_SCISSOR_TEST);
    glScissor(rect.x, rect.y, rect.width, rect.height);
}

}  // namespace

PartialFrame::PartialFrame() : steady_(std::make_unique<SteadyPicture>()) {}

PartialFrame::~PartialFrame() = default;

void PartialFrame::Begin(const FrameDestination& destination) {
    destination_ = destination;
    open_ = false;
    Bind();
}

void PartialFrame::Bind() const {
    if (destination_.offScreen) {
        destination_.offScreen->Bind();
        return;
    }
    const GlRect& picture = destination_.picture;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(picture.x, picture.y, picture.width, picture.height);
}

bool PartialFrame::Drawing(const Change& change) {
    if (!open_)
        Open(change);
    else if (!destination_.offScreen)
        redraw_.Note(change);
    // Where every frame is drawn whole there is nothing to keep.
    if (destination_.offScreen || !partsShown_) return true;
    if (change.steadyKey == 0) {
        TakeSteadyPicture();
        return true;
    }
    GlRect area = redraw_.Area();
    if (redraw_.Whole()) {
        steadyDrawn_ = UnionOf(steadyDrawn_, redraw_.InPixels(change.box));
        return true;
    }
    // A still thing drawn over what moves cannot be kept apart from it.
    if (movingDrawn_) steady_->Forget();
    GlRect lies = OverlapOf(redraw_.InPixels(change.box), area);
    if (!change.changed && Contains(steady_->Held(), lies)) {
        steady_->Restore(area);
        KeepToArea();
        return false;
    }
    if (!depthCleared_) {
        glClear(GL_DEPTH_BUFFER_BIT);
        depthCleared_ = true;
    }
    steadyDrawn_ = UnionOf(steadyDrawn_, lies);
    return true;
}

void PartialFrame::TakeSteadyPicture() {
    if (!movingDrawn_ && !IsEmpty(steadyDrawn_)) {
        glDisable(GL_SCISSOR_TEST);
        steady_->Take(steadyDrawn_);
        Bind();
        KeepToArea();
    }
    movingDrawn_ = true;
}

void PartialFrame::Open(const Change& first) {
    open_ = true;
    movingDrawn_ = false;
    steadyDrawn_ = {};
    depthCleared_ = false;
    glDepthMask(GL_TRUE);
    const glm::vec3& ground = destination_.ground;
    if (destination_.offScreen) {
        destination_.offScreen->Bind();
        ClearTo(ground, GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        return;
    }
    // After a long gap the moving things may have leapt further than the margin allows.
    bool gap = lastClosed_ >= 0 && Now() - lastClosed_ > kLongestPartFrame;
    bool whole = !partsShown_ || ground != shownGround_ || gap;
    shownGround_ = ground;
    GlRect area = redraw_.Open(destination_.picture, whole, first);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    if (redraw_.Whole()) {
        // The bars and the depth, then the picture's own ground.
        glDisable(GL_SCISSOR_TEST);
        glViewport(0, 0, destination_.window.width, destination_.window.height);
        ClearTo(destination_.bars, GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        Scissor(area);
        if (ground != destination_.bars) ClearTo(ground, GL_COLOR_BUFFER_BIT);
        glDisable(GL_SCISSOR_TEST);
    } else {
        // Only what changes. The depth stays while the still things are put back from
        // their picture rather than drawn.
        KeepToArea();
        ClearTo(ground, GL_COLOR_BUFFER_BIT);
    }
    Bind();
}

void PartialFrame::LeaveArea() {
    if (!open_) Open({});
    glDisable(GL_SCISSOR_TEST);
}

void PartialFrame::KeepToArea() const {
    if (destination_.offScreen || redraw_.Whole())
        glDisable(GL_SCISSOR_TEST);
    else
        Scissor(redraw_.Area());
}

void PartialFrame::Show(platform::WindowHandle window) {
    platform::DisplaySystem& screen = platform::Screen();
    const platform::PixelSize& size = destination_.window;
    // The picture drifts over the window's edge by a few pixels at times.
    GlRect area = OverlapOf(redraw_.Area(), {0, 0, size.width, size.height});
    if (!partsShown_ || !screen.PresentPart(window, {area.x, area.y, area.width, area.height})) {
        // Where a swap leaves the back buffer undefined every frame is drawn whole.
        partsShown_ = false;
        screen.SwapBuffers(window);
    }
}

void PartialFrame::Close(bool shown, double now) {
    open_ = false;
    lastClosed_ = now;
    if (shown)
        redraw_.Close();
    else
        // What changed meanwhile was drawn but never shown.
        redraw_.RedrawAll();
}

}  // namespace engine

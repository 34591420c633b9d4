#include "engine/partial_frame.h"

#include "engine/clock.h"
#include "engine/drawing_layer.h"

namespace engine {

PartialFrame::PartialFrame(DrawingLayer& layer) : layer_(layer) {}

void PartialFrame::Begin(const FrameDestination& destination) {
    destination_ = destination;
    open_ = false;
    Bind();
}

void PartialFrame::Bind() const {
    if (destination_.offScreen)
        layer_.DrawIntoPicture();
    else
        layer_.DrawIntoWindow(destination_.window, destination_.picture);
}

bool PartialFrame::Drawing(const Change& change) {
    if (!open_)
        Open(change);
    else
        redraw_.Note(change);
    // Where every frame is drawn whole there is nothing to keep.
    if (!partsShown_) return true;
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
    if (movingDrawn_) steadyHeld_ = {};
    GlRect lies = OverlapOf(redraw_.InPixels(change.box), area);
    if (!change.changed && Contains(steadyHeld_, lies)) {
        layer_.PutCopyBack(area);
        return false;
    }
    if (!depthCleared_) {
        layer_.ClearDepth();
        depthCleared_ = true;
    }
    steadyDrawn_ = UnionOf(steadyDrawn_, lies);
    return true;
}

void PartialFrame::TakeSteadyPicture() {
    if (!movingDrawn_ && !IsEmpty(steadyDrawn_) && !destination_.multisampled) {
        layer_.KeepCopy(steadyDrawn_);
        steadyHeld_ = steadyDrawn_;
    }
    movingDrawn_ = true;
}

void PartialFrame::Open(const Change& first) {
    open_ = true;
    movingDrawn_ = false;
    steadyDrawn_ = {};
    depthCleared_ = false;
    const glm::vec3& ground = destination_.ground;
    // After a long gap the moving things may have leapt further than the margin allows.
    bool gap = lastClosed_ >= 0 && Now() - lastClosed_ > kLongestPartFrame;
    bool whole = !partsShown_ || ground != shownGround_ || gap;
    shownGround_ = ground;
    GlRect area = redraw_.Open(destination_.picture, whole, first);
    KeepToArea();
    if (redraw_.Whole()) {
        // The bars and the depth, then the picture's own ground.
        const platform::PixelSize& window = destination_.windowSize;
        layer_.Clear({0, 0, window.width, window.height}, destination_.bars, true);
        if (ground != destination_.bars) layer_.Clear(area, ground, false);
    } else {
        // Only what changes. The depth stays while the still things are put back from
        // their picture rather than drawn.
        layer_.Clear(area, ground, false);
    }
}

void PartialFrame::LeaveArea() {
    if (!open_) Open({});
    layer_.HoldTo({});
}

void PartialFrame::KeepToArea() const {
    layer_.HoldTo(redraw_.Whole() ? GlRect{} : redraw_.Area());
}

void PartialFrame::Show() {
    const platform::PixelSize& size = destination_.windowSize;
    // The picture wanders over the window's edge at times (a few per cent of it on a 4:3
    // screen).
    GlRect area = OverlapOf(redraw_.Area(), {0, 0, size.width, size.height});
    if (!partsShown_ || !layer_.PresentPart(destination_.window, area)) {
        // Where a swap leaves the back buffer undefined every frame is drawn whole.
        partsShown_ = false;
        layer_.Present(destination_.window);
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

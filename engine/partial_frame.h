// One frame from its clear to its present, and which part of it is drawn: into a window
// that keeps its back buffer between frames, or into the off-screen picture, which keeps
// its content, only what changes is cleared and drawn (engine/redraw_area.h), and the
// still things are put back from a copy where they look as before. A window shows only
// the part redrawn (the off-screen picture's shows: engine/display.h).
#pragma once
#include <glm/glm.hpp>

#include "engine/picture_geometry.h"
#include "engine/redraw_area.h"
#include "seams/display.h"

namespace engine {

class DrawingLayer;

// Where a frame is drawn, and on what.
struct FrameDestination {
    // Into the off-screen picture, else into the window's back buffer.
    bool offScreen = false;
    // A multisampled picture's samples are not copied in part (Direct3D copies them only
    // whole): its still things are drawn again where the frame redraws.
    bool multisampled = false;
    // The window and the picture's place in it (window pixels, GL's way up); off screen,
    // the picture's own size and the whole of it.
    platform::WindowHandle window = 0;
    platform::PixelSize windowSize;
    GlRect picture;
    glm::vec3 ground{0}, bars{0};
};

class PartialFrame {
public:
    explicit PartialFrame(DrawingLayer& layer);
    PartialFrame(const PartialFrame&) = delete;
    PartialFrame& operator=(const PartialFrame&) = delete;

    // The next frame is drawn and shown whole, however little changes in it.
    void RedrawAll() { redraw_.RedrawAll(); }
    // Until a window refuses to show a part, the picture drawn into it is shown a part at a
    // time, and what stands still is kept from frame to frame. The off-screen picture is
    // always drawn in part, however its windows show it.
    bool PartsShown() const { return partsShown_; }
    // What the frame redraws: the whole picture, or a part of it (in the pixels of what
    // is drawn into).
    bool Whole() const { return redraw_.Whole(); }
    GlRect Area() const { return redraw_.Area(); }

    // A new frame into the destination, made the target of drawing. Nothing is cleared
    // until the first thing drawn says where it changes.
    void Begin(const FrameDestination& destination);
    // Makes the destination the target of drawing again, over the whole picture.
    void Bind() const;
    // Before each thing is drawn (see engine/redraw_area.h); the first opens the frame.
    // False when the thing is not to be drawn: it stands still, looks as before, and its
    // picture was put back.
    bool Drawing(const Change& change);
    // Drawing leaves the area redrawn (to read the picture or show it); the frame is opened
    // first if nothing was drawn, so that it is cleared at least.
    void LeaveArea();
    // Keeps drawing inside the area redrawn, where that is not everything.
    void KeepToArea() const;

    // Shows the frame drawn straight into the window: the part redrawn where the window
    // keeps its back buffer, else all of it.
    void Show();
    // The frame is done, shown or not, at this time (the clock's seconds).
    void Close(bool shown, double now);

private:
    // Clears what the frame redraws, now that its first thing says where it changes.
    void Open(const Change& first);
    // Copies what the still things drew this frame, before the first thing that moves.
    void TakeSteadyPicture();

    // A frame redrawn in part may take no longer than this (seconds) after the last: the
    // smoke's edge outruns the margin round what moves in a frame of a quarter second.
    static constexpr double kLongestPartFrame = 0.2;

    DrawingLayer& layer_;
    FrameDestination destination_;
    RedrawArea redraw_;
    // Where the copy of what the still things drew lies (see KeepCopy).
    GlRect steadyHeld_;
    bool partsShown_ = true;
    bool open_ = false;
    // This frame: whether anything that moves was drawn yet, where still things were
    // drawn, whether the area's depth was cleared for them.
    bool movingDrawn_ = false;
    GlRect steadyDrawn_;
    bool depthCleared_ = false;
    // The ground the window shows, and when the last frame was done.
    glm::vec3 shownGround_{-1};
    double lastClosed_ = -1;
};

}  // namespace engine

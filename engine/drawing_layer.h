// What the display and the partial frame ask of a graphics API to draw a frame and show
// it: where drawing goes (a monitor window's back buffer, or the off-screen picture),
// clearing and holding drawing to a part, a kept copy of part of the window, the picture
// shown scaled, read back, presented. Each API's layer implements it in files of its own
// (engine/gl_drawing_layer.cpp for OpenGL), so that the frame's logic above it reads the
// same whichever draws.
//
// Rectangles are in the pixels of what is drawn into, counted from the bottom left, as GL
// counts them.
#pragma once
#include <glm/glm.hpp>

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/picture_geometry.h"
#include "seams/display.h"

namespace engine {

class DrawingLayer {
public:
    virtual ~DrawingLayer() = default;

    // What the device offers: whether it rasterises on the processor, the samples a pixel
    // it gives of those wanted, whether the window's own buffer has a depth buffer.
    virtual bool SoftwareRenderer() const = 0;
    virtual int OfferedSamples(int wanted) const = 0;
    virtual bool WindowHasDepth() const = 0;

    // Makes the off-screen picture, of this size and multisampling, shown through the
    // gamma; there is one at most.
    virtual void MakePicture(int width, int height, int samples, float gamma) = 0;
    // Drawing goes to the window's back buffer within the viewport, or to the whole
    // off-screen picture.
    virtual void DrawIntoWindow(platform::WindowHandle window, const GlRect& viewport) = 0;
    virtual void DrawIntoPicture() = 0;
    // Clears the colour within the area (of the window or picture drawn into) and, when
    // asked, the depth there too.
    virtual void Clear(const GlRect& area, const glm::vec3& colour, bool depth) = 0;
    // Clears the depth within the part drawing is held to.
    virtual void ClearDepth() = 0;
    // Holds drawing to the part, or lets it go everywhere (an empty part).
    virtual void HoldTo(const GlRect& part) = 0;

    // Keeps a copy of this part of the window's back buffer, in place of any earlier one.
    virtual void KeepCopy(const GlRect& part) = 0;
    // Puts back what the copy holds within this part.
    virtual void PutCopyBack(const GlRect& within) = 0;

    // Leaves the off-screen picture finished for showing and reading (multisampling
    // resolved).
    virtual void FinishPicture() = 0;
    // The finished picture, scaled onto the viewport of the window drawn into, after the
    // window was cleared to the bars' colour; the display's gamma on the way.
    virtual void ShowPicture(platform::PixelSize window, const GlRect& viewport, const glm::vec3& bars) = 0;
    // Rows from the top, four bytes RGBA a pixel: a part of the window's back buffer or of
    // the finished picture, scaled to the size given where it differs.
    enum class Source { Window, Picture };
    virtual std::vector<std::uint8_t> Read(Source source, const GlRect& part, int width, int height) = 0;

    // How many vertical blanks a present of the window waits for.
    virtual void SetSwapInterval(platform::WindowHandle window, int interval) = 0;
    // Shows the window's back buffer, or only a part of it where the window keeps the
    // rest: false where it cannot, and nothing shown.
    virtual void Present(platform::WindowHandle window) = 0;
    virtual bool PresentPart(platform::WindowHandle window, const GlRect& part) = 0;
};

// The layer on the display's window: the first road the device offers. Throws the
// engine's failure when none serves.
std::unique_ptr<DrawingLayer> StartDrawingLayer(platform::WindowHandle window);

}  // namespace engine

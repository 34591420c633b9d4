// All the engine asks of a graphics API: textures and meshes it holds; meshes drawn lit
// and sprites drawn blended; where drawing goes (a monitor window's back buffer, or the
// off-screen picture), clearing and holding drawing to a part, a kept copy of part of what
// is drawn into, the picture shown scaled (whole or in part), read back, presented. Each API's layer implements it
// in files of its own (engine/gl_*.cpp for OpenGL), so that the scene, the frame and the
// partial redraw above it read the same whichever draws.
//
// Rectangles are in the pixels of what is drawn into, counted from the bottom left, as GL
// counts them.
#pragma once
#include <glm/glm.hpp>

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/mesh_draw_inputs.h"
#include "engine/mesh_geometry.h"
#include "engine/picture_geometry.h"
#include "seams/display.h"

namespace engine {

struct Picture;

// A corner of the strips drawn over a mesh's edges: where, which way its surface faces,
// whether it is lit from within (as MeshVertex), and how far across the strip.
struct StripVertex {
    glm::vec3 position;
    glm::vec3 normal;
    float litFromWithin;
    float across;
};

// A corner of a sprite or a 2D picture: textured and coloured, the colours and the
// texture's sRGB values blended as they are.
struct SpriteVertex {
    glm::vec3 position;
    glm::vec2 texCoord;
    glm::vec4 colour;
};

// A picture the layer holds for drawing sprites with.
class LayerTexture {
public:
    virtual ~LayerTexture() = default;
};

// A mesh's triangles as the layer holds them, and the strips drawn over its edges.
class LayerMesh {
public:
    virtual ~LayerMesh() = default;
    // The strips, in world coordinates, in place of the earlier ones.
    virtual void SetStrips(const std::vector<StripVertex>& strips) = 0;
};

// How a sprite's colour mixes with what is there: the sprite's colour times the source
// factor, combined by the operation with the colour there times the destination factor.
enum class BlendOperation { Add, Subtract, ReverseSubtract, Min, Max };
enum class BlendFactor {
    Zero, One, SourceColour, InverseSourceColour, SourceAlpha, InverseSourceAlpha,
    DestinationAlpha, InverseDestinationAlpha, DestinationColour, InverseDestinationColour
};
struct Blending {
    BlendOperation operation = BlendOperation::Add;
    BlendFactor source = BlendFactor::SourceAlpha, destination = BlendFactor::InverseSourceAlpha;
};

// How a batch of sprites is drawn.
struct SpriteDraw {
    const LayerTexture* texture = nullptr;
    glm::mat4 projection{1};
    Blending blending;
    // Hidden behind the meshes, without hiding anything itself (particles), or drawn
    // over everything (2D pictures, text).
    bool behindMeshes = false;
    // Read from the one picture of the texture's chain of smaller copies nearest in size:
    // a software rasteriser reads one picture far faster than it blends two, and soft
    // particles show no seam between the sizes.
    bool oneSize = false;
};

class DrawingLayer {
public:
    virtual ~DrawingLayer() = default;

    // What the device offers: whether it rasterises on the processor, the samples a pixel
    // it gives of those wanted, whether the window's own buffer has a depth buffer.
    virtual bool SoftwareRenderer() const = 0;
    virtual int OfferedSamples(int wanted) const = 0;
    virtual bool WindowHasDepth() const = 0;
    // The longest side of a texture it takes.
    virtual int LargestTexture() const = 0;

    // A picture to draw sprites with: its filter smooth or sharp, with a chain of smaller
    // copies for when it is drawn small.
    virtual std::unique_ptr<LayerTexture> MakeTexture(const Picture& picture, bool smooth, bool chain) = 0;
    // A mesh's corners, drawn by index, three a triangle.
    virtual std::unique_ptr<LayerMesh> MakeMesh(const std::vector<MeshVertex>& corners,
                                                const std::vector<std::uint32_t>& indices) = 0;
    // The mesh's faces, one-sided, as in Direct3D: a triangle faces the camera when its
    // corners run clockwise on the screen; lit for every pixel by the inputs. Then, where
    // edges are smoothed (a pixel size above 0), its strips, blended by how much of each
    // pixel they cover, a hair nearer than the faces and leaving the depth as it was.
    virtual void DrawMesh(LayerMesh& mesh, const MeshDrawInputs& inputs, bool depthTested) = 0;
    virtual void DrawSprites(const SpriteVertex* triangles, std::size_t count, const SpriteDraw& how) = 0;

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

    // Keeps a copy of this part of what is drawn into (the window's back buffer, or the
    // off-screen picture where it is not multisampled), in place of any earlier one.
    virtual void KeepCopy(const GlRect& part) = 0;
    // Puts back what the copy holds within this part.
    virtual void PutCopyBack(const GlRect& within) = 0;

    // Leaves the off-screen picture finished for showing and reading (multisampling
    // resolved) at least within the part; outside it the picture is as the last finish
    // left it. False where the picture was lost since (with its device), so that what
    // lies outside the part is not there.
    virtual bool FinishPicture(const GlRect& part) = 0;
    // The finished picture, scaled onto the viewport of the window drawn into, the
    // display's gamma on the way: where part is null, over the whole window, cleared first
    // to the bars' colour; else only within that part of the window (window pixels), each
    // pixel as the whole would have it.
    virtual void ShowPicture(platform::PixelSize window, const GlRect& viewport, const glm::vec3& bars,
                             const GlRect* part) = 0;
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

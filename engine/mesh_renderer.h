// Draws meshes lit for every pixel, through the drawing layer: the material's ambient,
// diffuse, specular and emissive colours and specular power under point lights, which
// fall off to nothing at their range (RangeFalloff), and directional lights; bright light
// rolls off softly towards full strength rather than clipping. A mesh's triangles live in
// a GpuMesh.
//
// Without shadows a hollow mesh would be lit inside by the far lights outside it. So the
// surfaces its model marks as lit from within (the inside of a shell, the cut walls of
// its openings, what stands inside) are reached only by point lights, with a soft glow:
// the candle within, and lamps near enough that their range takes in the shell. A carved
// pumpkin is dark inside but for its candle and the light that falls in through its
// openings; the outside is lit by every light but the candle within.
#pragma once
#include <glm/glm.hpp>

#include <memory>
#include <vector>

#include "engine/display.h"
#include "engine/drawing_layer.h"
#include "engine/mesh_draw_inputs.h"
#include "engine/mesh_geometry.h"
#include "engine/redraw_area.h"

namespace engine {

class MeshOutline;

class GpuMesh {
public:
    GpuMesh(DrawingLayer& layer, const std::vector<MeshVertex>& triangles);
    ~GpuMesh();
    GpuMesh(const GpuMesh&) = delete;
    GpuMesh& operator=(const GpuMesh&) = delete;

    // Draws the faces and, where the inputs' pixel size is above 0, the edges that show as
    // steps (see MeshOutline) as strips a pixel or two wide, built again only when the pose
    // or the pixel size changes.
    void Draw(DrawingLayer& layer, const MeshDrawInputs& inputs, bool depthTested);
    // Whether the mesh is lit otherwise than when last drawn, given a fingerprint of its
    // changing light; remembers it.
    bool LitAnew(std::uint64_t light) {
        bool changed = light != light_;
        light_ = light;
        return changed;
    }
    // Where the mesh placed by model lands through projection.
    const ScreenBox& InView(const glm::mat4& model, const glm::mat4& projection);
    // The sphere round the triangles, in the mesh's own coordinates.
    const glm::vec3& Centre() const { return centre_; }
    float Radius() const { return radius_; }

private:
    std::unique_ptr<LayerMesh> layerMesh_;
    std::unique_ptr<MeshOutline> outline_;
    // Each vertex of the outline's, whether it is lit from within (for its strips).
    std::vector<float> litFromWithin_;
    // Every corner once, for InView.
    std::vector<glm::vec3> corners_;
    glm::mat4 inViewModel_{0}, inViewProjection_{0};
    ScreenBox inView_;
    std::uint64_t light_ = 0;
    glm::mat4 stripsModel_{0};
    float stripsPixel_ = 0;
    glm::vec3 centre_{0};
    float radius_ = 0;
};

// Into the display's picture, which is told what the mesh is drawn with and where it
// changes from frame to frame: where its flickering lights show. With pixelAtOne above 0
// (how wide a pixel at distance 1 is), the mesh's outline and sharp creases are drawn again
// as smoothed strips over it: clean edges where the picture has no multisampling.
void DrawMesh(Display& display, GpuMesh& mesh, const glm::mat4& model, const Material& material,
              const Lighting& lighting, float pixelAtOne, bool depthTested);

}  // namespace engine

// Turns a read 3DS model into the triangle list we draw: each corner with its position,
// a normal shaded by the model's smoothing groups and whether it is lit from within.
#pragma once
#include <glm/glm.hpp>

#include <vector>

#include "engine/model_3ds.h"

namespace engine {

struct MeshVertex {
    glm::vec3 position;
    glm::vec3 normal;
    // 1 where only the light within the mesh reaches (faces of kLitFromWithinMaterial), else 0.
    float litFromWithin;
};

struct GeometryOptions {
    // Smooth only across faces that share a smoothing group; false smooths across all.
    bool useSmoothingGroups = true;
    // false gives every corner its face's own normal.
    bool computeNormals = true;
    // false moves the model so that the centre of its bounds is the origin.
    bool keepOrigin = true;
};

// Three vertices a triangle, every object of the model in one list; faces without area
// are left out.
std::vector<MeshVertex> BuildTriangles(const Model3ds& model, const GeometryOptions& options);

}  // namespace engine

// Cutting convex polygons in the plane: what the carving needs to take an opening out of
// the surface's parameter grid with exact edges.
#pragma once
#include <vector>

#include <glm/glm.hpp>

namespace media {

// Corners in counter-clockwise order (x right, y up).
using ConvexPolygon = std::vector<glm::dvec2>;

double Area(const ConvexPolygon& polygon);

// The part of `piece` outside the convex `hole`, as convex polygons that cover it without
// overlap. A piece that does not overlap the hole comes back whole, uncut.
std::vector<ConvexPolygon> Subtract(const ConvexPolygon& piece, const ConvexPolygon& hole);

}  // namespace media

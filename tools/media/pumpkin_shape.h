// The carved pumpkin's shape: its ribbed shell, the openings cut through it, its stem, and
// how the model is turned so that the saver's pose shows the face to the viewer.
//
// Shape coordinates are a front frame: x to the viewer's right, y up, z away from the
// viewer, the pumpkin's centre at the origin. Points on the shell are named by surface
// coordinates (u, e) in degrees: u the azimuth from the middle of the face, growing
// towards the viewer's right (-180 to 180), e the elevation (-90 at the bottom, 90 at the top).
#pragma once
#include <vector>

#include <glm/glm.hpp>

#include "convex_clip.h"

namespace media::pumpkin {

glm::dvec3 OuterSurface(glm::dvec2 ue);
// The outer surface drawn in towards the centre by the shell's thickness.
glm::dvec3 InnerSurface(glm::dvec2 ue);

// An opening cut through the shell, in surface coordinates: convex pieces that together
// cover it (for cutting the surfaces), and its rim as directed polylines with the opening
// on their left (for the walls joining outer and inner surface).
struct Opening {
    std::vector<ConvexPolygon> pieces;
    std::vector<std::vector<glm::dvec2>> rims;
};

// The eyes, the nose, the toothy mouth, and the cut round the lid.
std::vector<Opening> CarvedOpenings();

// The stem's surface: s runs from its foot (0) to its cut end (1), a round it (degrees).
glm::dvec3 StemSurface(double s, double a);
// The middle of the stem at s, for telling which way its surface faces.
glm::dvec3 StemAxis(double s);

// Turns front-frame points into model coordinates: undoes the rotation the saver gives the
// mesh, after tipping the top slightly towards the viewer so the lid and stem show.
glm::dmat3 ModelFromFront();

}  // namespace media::pumpkin

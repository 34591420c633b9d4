// The saver turns the mesh about x, then y, then z (degrees, left-handed, y up), with the
// usual matrices of that frame: x' = x cos + z sin, z' = -x sin + z cos about y, and so on.
// The model is stored pre-turned by the inverse, so that the pose shows its front.
#include <cmath>

#include <glm/glm.hpp>

#include "pumpkin_shape.h"

namespace media::pumpkin {

namespace {
// The rotation the saver gives the pumpkin, degrees about x, y and z.
constexpr glm::dvec3 SaverRotation{25, 243, 10};
// Tipping the top towards the viewer lets the lid cut and the stem show from the level camera.
constexpr double TopTowardsViewer = 10;

// glm matrices are indexed [column][row]; these build them row by row for readability.
glm::dmat3 FromRows(glm::dvec3 r0, glm::dvec3 r1, glm::dvec3 r2) {
    return glm::transpose(glm::dmat3(r0, r1, r2));
}

glm::dmat3 AboutX(double degrees) {
    const double c = std::cos(glm::radians(degrees)), s = std::sin(glm::radians(degrees));
    return FromRows({1, 0, 0}, {0, c, -s}, {0, s, c});
}

glm::dmat3 AboutY(double degrees) {
    const double c = std::cos(glm::radians(degrees)), s = std::sin(glm::radians(degrees));
    return FromRows({c, 0, s}, {0, 1, 0}, {-s, 0, c});
}

glm::dmat3 AboutZ(double degrees) {
    const double c = std::cos(glm::radians(degrees)), s = std::sin(glm::radians(degrees));
    return FromRows({c, -s, 0}, {s, c, 0}, {0, 0, 1});
}
}  // namespace

glm::dmat3 ModelFromFront() {
    const glm::dmat3 pose =
        AboutZ(SaverRotation.z) * AboutY(SaverRotation.y) * AboutX(SaverRotation.x);
    // A negative turn about x moves the top (+y) towards the viewer (-z).
    return glm::transpose(pose) * AboutX(-TopTowardsViewer);
}

}  // namespace media::pumpkin

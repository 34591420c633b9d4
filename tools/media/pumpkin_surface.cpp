// The ribbed, squat body of the pumpkin with dimples at both poles, and its stem.
#include <cmath>
#include <numbers>

#include "pumpkin_shape.h"

namespace media::pumpkin {

namespace {
constexpr double EquatorRadius = 72;
constexpr double HalfHeight = 55;
constexpr int Lobes = 8;
// How deep the creases between the lobes cut, as a share of the radius.
constexpr double CreaseDepth = 0.1;
constexpr double TopDimple = 4, BottomDimple = 7;
// Angular width (radians) of the dimples round the poles. The top one is small: from the
// saver's camera the top is seen nearly edge-on, and a wide dimple's rim would show as a
// flat line along the top of the outline; a small one hides behind the stem's foot.
constexpr double TopDimpleWidth = 0.15, BottomDimpleWidth = 0.38;
constexpr double ShellThickness = 5;

constexpr double StemLength = 27;
constexpr double StemFootRadius = 7, StemEndRadius = 4.6;
constexpr int StemRidges = 6;

double Squared(double v) { return v * v; }
}  // namespace

glm::dvec3 OuterSurface(glm::dvec2 ue) {
    const double u = glm::radians(ue.x), e = glm::radians(ue.y);
    // |cos| is 1 in the middle of a lobe and falls to 0, in a V, at each crease.
    const double lobe = 1 - CreaseDepth * (1 - std::abs(std::cos(Lobes * u / 2)));
    const double radius = EquatorRadius * lobe * std::cos(e);
    const double fromTop = std::numbers::pi / 2 - e, fromBottom = std::numbers::pi / 2 + e;
    const double height = HalfHeight * std::sin(e) -
                          TopDimple * std::exp(-Squared(fromTop / TopDimpleWidth)) +
                          BottomDimple * std::exp(-Squared(fromBottom / BottomDimpleWidth));
    return {radius * std::sin(u), height, -radius * std::cos(u)};
}

glm::dvec3 InnerSurface(glm::dvec2 ue) {
    const glm::dvec3 outer = OuterSurface(ue);
    return outer * (1 - ShellThickness / glm::length(outer));
}

glm::dvec3 StemAxis(double s) {
    // The foot sinks a little into the top dimple, so no gap shows between stem and shell.
    const double footHeight = HalfHeight - TopDimple - 3;
    return {4 * s * s, footHeight + StemLength * s, 2 * s * s};
}

glm::dvec3 StemSurface(double s, double a) {
    const double angle = glm::radians(a);
    const double flare = 3 * std::exp(-8 * s);
    const double ridges = 1 + 0.12 * std::cos(StemRidges * angle);
    const double radius = (StemFootRadius + (StemEndRadius - StemFootRadius) * s + flare) * ridges;
    return StemAxis(s) + glm::dvec3(radius * std::cos(angle), 0, radius * std::sin(angle));
}

}  // namespace media::pumpkin

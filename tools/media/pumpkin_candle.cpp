// The candle: its wax turned round its axis from a profile, and a thin wick that curls a
// little as a burnt one does. Both are lit only by the light within the pumpkin.
#include "pumpkin_candle.h"

#include <cmath>
#include <vector>

namespace media::pumpkin {

namespace {
// The flame is born at (0, 0, 300) in the saver's world, 3 units below the pumpkin's
// centre; in the front frame (tipped 10 degrees towards the viewer) that is here.
constexpr glm::dvec2 AxisXZ{0, -0.521};
constexpr double FlameRoot = -2.954;

// The wax's profile from the foot (sunk into the shell below the inner floor, so no gap
// shows) up the side, over a rounded melted rim into the shallow pool round the wick:
// each point its distance from the axis and its height.
const std::vector<glm::dvec2> WaxProfile = {
    {8.5, -47}, {8.5, -30}, {8.5, -12}, {8.3, -10.9}, {7.6, -10.2}, {6.2, -10.1},
    {4, -10.5}, {1.8, -10.8}, {0, -10.9},
};
constexpr int WaxAround = 24;

// The wick stands from inside the wax to a little under the flame's root, and its tip
// bends over as it chars.
constexpr double WickFoot = -11.5, WickTip = FlameRoot - 2.2, WickRadius = 0.55;
constexpr int WickRings = 4, WickAround = 8;

enum SmoothingGroup : std::uint32_t { WaxGroup = 16, WickGroup = 32 };

glm::dvec3 OnWax(glm::dvec2 profile, double degrees) {
    const double a = glm::radians(degrees);
    return {AxisXZ.x + profile.x * std::cos(a), profile.y, AxisXZ.y + profile.x * std::sin(a)};
}

glm::dvec3 WickAxis(double s) {
    return {AxisXZ.x + 0.9 * s * s * s, WickFoot + (WickTip - WickFoot) * s, AxisXZ.y};
}
}  // namespace

void AddCandle(MeshBuilder& builder, const glm::dmat3& modelFromFront, int firstSurfaceId) {
    const int waxId = firstSurfaceId, wickId = firstSurfaceId + 1;
    auto wax = [&](std::size_t k, int step) {
        const double degrees = 360.0 * step / WaxAround;
        const glm::dvec2 key{double(k), k + 1 == WaxProfile.size() ? 0.0 : double(step % WaxAround)};
        return builder.AddVertex(waxId, key, {modelFromFront * OnWax(WaxProfile[k], degrees), {degrees / 360, 0}});
    };
    const glm::dvec3 axisPoint = OnWax({0, 0}, 0);
    for (std::size_t k = 0; k + 1 < WaxProfile.size(); ++k) {
        for (int step = 0; step < WaxAround; ++step) {
            const auto a = wax(k, step), b = wax(k, step + 1), c = wax(k + 1, step + 1), d = wax(k + 1, step);
            // Out of the wax: away from the axis on the side, upwards on the top.
            const glm::dvec2 middle = (WaxProfile[k] + WaxProfile[k + 1]) / 2.0;
            const glm::dvec3 out = OnWax(middle, 360.0 * (step + 0.5) / WaxAround) - (axisPoint + glm::dvec3(0, middle.y - 2, 0));
            builder.AddTriangle(a, b, c, modelFromFront * out, WaxGroup, LitBy::Within);
            builder.AddTriangle(a, c, d, modelFromFront * out, WaxGroup, LitBy::Within);
        }
    }
    auto wick = [&](int ring, int step) {
        const double s = double(ring) / WickRings, a = glm::radians(360.0 * step / WickAround);
        const glm::dvec3 p = WickAxis(s) + glm::dvec3(WickRadius * std::cos(a), 0, WickRadius * std::sin(a));
        return builder.AddVertex(wickId, {s, double(step % WickAround)}, {modelFromFront * p, {0, s}});
    };
    for (int ring = 0; ring < WickRings; ++ring) {
        for (int step = 0; step < WickAround; ++step) {
            const auto a = wick(ring, step), b = wick(ring, step + 1), c = wick(ring + 1, step + 1), d = wick(ring + 1, step);
            const glm::dvec3 out = builder.Result().vertices[a].position - modelFromFront * WickAxis((ring + 0.5) / WickRings);
            builder.AddTriangle(a, b, c, out, WickGroup, LitBy::Within);
            builder.AddTriangle(a, c, d, out, WickGroup, LitBy::Within);
        }
    }
    // The wick's charred tip closes it.
    const auto tip = builder.AddVertex(wickId, {2, 0}, {modelFromFront * (WickAxis(1) + glm::dvec3(0, 0.3, 0)), {0, 1}});
    for (int step = 0; step < WickAround; ++step)
        builder.AddTriangle(tip, wick(WickRings, step), wick(WickRings, step + 1),
                            modelFromFront * glm::dvec3(0, 1, 0), WickGroup, LitBy::Within);
}

}  // namespace media::pumpkin

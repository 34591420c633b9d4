// The carving: two slanted triangular eyes, a tall triangular nose, a wide mouth with three
// teeth, and a zigzag cut round the lid. Each opening is drawn as a lower and an upper edge
// over the same run of u, which splits into convex slabs between neighbouring corners.
#include <algorithm>
#include <cmath>

#include "pumpkin_shape.h"

namespace media::pumpkin {

namespace {
using Polyline = std::vector<glm::dvec2>;

double HeightAt(const Polyline& edge, double u) {
    for (std::size_t i = 1; i < edge.size(); ++i) {
        if (u <= edge[i].x) {
            const double share = (u - edge[i - 1].x) / (edge[i].x - edge[i - 1].x);
            return edge[i - 1].y + (edge[i].y - edge[i - 1].y) * share;
        }
    }
    return edge.back().y;
}

// Both edges run left to right over the same span of u. Around the lid the span is the
// whole turn, and the rim is the two edges alone: their ends meet behind the pumpkin.
Opening Between(const Polyline& lower, const Polyline& upper, bool wholeTurn) {
    std::vector<double> corners;
    for (const auto& p : lower) corners.push_back(p.x);
    for (const auto& p : upper) corners.push_back(p.x);
    std::sort(corners.begin(), corners.end());
    corners.erase(std::unique(corners.begin(), corners.end()), corners.end());

    Opening opening;
    for (std::size_t i = 1; i < corners.size(); ++i) {
        const double left = corners[i - 1], right = corners[i];
        ConvexPolygon slab{{left, HeightAt(lower, left)}, {right, HeightAt(lower, right)},
                           {right, HeightAt(upper, right)}, {left, HeightAt(upper, left)}};
        // Where the edges meet, two corners fall together and the slab is a triangle.
        slab.erase(std::unique(slab.begin(), slab.end()), slab.end());
        if (slab.front() == slab.back()) slab.pop_back();
        opening.pieces.push_back(slab);
    }

    Polyline upperLeftwards(upper.rbegin(), upper.rend());
    if (wholeTurn) {
        opening.rims = {lower, upperLeftwards};
    } else {
        Polyline loop = lower;
        loop.insert(loop.end(), upperLeftwards.begin() + 1, upperLeftwards.end());
        opening.rims = {loop};
    }
    return opening;
}

Opening Triangle(glm::dvec2 left, glm::dvec2 right, glm::dvec2 apex) {
    return Between({left, right}, {left, apex, right}, false);
}

// A curved edge sampled every few degrees, with trapezoid teeth standing out of it
// (depth > 0 points up, < 0 down).
struct Tooth {
    double middle, depth;
};

template <typename Curve>
Polyline ToothedEdge(Curve curve, double from, double to, const std::vector<Tooth>& teeth) {
    constexpr double Step = 4, BaseHalfWidth = 4.5, TipHalfWidth = 2.5;
    Polyline edge;
    for (double u = from; u <= to + 1e-9; u += Step) {
        const bool underTooth = std::any_of(teeth.begin(), teeth.end(), [&](const Tooth& t) {
            return std::abs(u - t.middle) <= BaseHalfWidth;
        });
        if (!underTooth) edge.push_back({u, curve(u)});
    }
    for (const Tooth& t : teeth) {
        for (double offset : {-BaseHalfWidth, BaseHalfWidth})
            edge.push_back({t.middle + offset, curve(t.middle + offset)});
        for (double offset : {-TipHalfWidth, TipHalfWidth})
            edge.push_back({t.middle + offset, curve(t.middle + offset) + t.depth});
    }
    std::sort(edge.begin(), edge.end(), [](glm::dvec2 a, glm::dvec2 b) { return a.x < b.x; });
    return edge;
}

Opening Mouth() {
    constexpr double HalfWidth = 46, CornerHeight = -10;
    auto upper = [&](double u) { return -17 + 7 * (u / HalfWidth) * (u / HalfWidth); };
    auto lower = [&](double u) { return -40 + 30 * (u / HalfWidth) * (u / HalfWidth); };
    Polyline lowerEdge = ToothedEdge(lower, -HalfWidth + 4, HalfWidth - 4, {{0, 9}});
    Polyline upperEdge = ToothedEdge(upper, -HalfWidth + 4, HalfWidth - 4, {{-15, -8}, {15, -8}});
    for (Polyline* edge : {&lowerEdge, &upperEdge}) {
        edge->insert(edge->begin(), {-HalfWidth - 2, CornerHeight});
        edge->push_back({HalfWidth + 2, CornerHeight});
    }
    return Between(lowerEdge, upperEdge, false);
}

Opening LidCut() {
    constexpr int Zigs = 48;
    constexpr double Height = 52, Swing = 3, Width = 1.8;
    Polyline lower, upper;
    for (int k = 0; k <= Zigs; ++k) {
        const double u = -180 + 360.0 * k / Zigs;
        const double e = Height + (k % 2 == 0 ? -Swing : Swing);
        lower.push_back({u, e});
        upper.push_back({u, e + Width});
    }
    return Between(lower, upper, true);
}
}  // namespace

std::vector<Opening> CarvedOpenings() {
    return {
        Triangle({-43, 20}, {-17, 16}, {-30, 40}),
        Triangle({17, 16}, {43, 20}, {30, 40}),
        // A tall nose right in front of the candle, so that the flame stands in view.
        Triangle({-13, -6}, {13, -6}, {0, 40}),
        Mouth(),
        LidCut(),
    };
}

}  // namespace media::pumpkin

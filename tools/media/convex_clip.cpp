// Convex subtraction by successive half-plane splits along the hole's edges.
#include "convex_clip.h"

#include <cmath>

namespace media {

namespace {
constexpr double OnLine = 1e-9;
constexpr double NoArea = 1e-9;

// Signed distance-like value: positive on the left of the directed line a -> b.
double Side(glm::dvec2 a, glm::dvec2 b, glm::dvec2 p) {
    const glm::dvec2 d = b - a, q = p - a;
    return d.x * q.y - d.y * q.x;
}

// Splits a convex polygon by the line a -> b into its left and right parts.
void Split(const ConvexPolygon& polygon, glm::dvec2 a, glm::dvec2 b, ConvexPolygon& left,
           ConvexPolygon& right) {
    left.clear();
    right.clear();
    const double scale = glm::length(b - a);
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const glm::dvec2 p = polygon[i], q = polygon[(i + 1) % polygon.size()];
        double sp = Side(a, b, p) / scale, sq = Side(a, b, q) / scale;
        if (std::abs(sp) < OnLine) sp = 0;
        if (std::abs(sq) < OnLine) sq = 0;
        if (sp >= 0) left.push_back(p);
        if (sp <= 0) right.push_back(p);
        if ((sp > 0 && sq < 0) || (sp < 0 && sq > 0)) {
            const glm::dvec2 crossing = p + (q - p) * (sp / (sp - sq));
            left.push_back(crossing);
            right.push_back(crossing);
        }
    }
}

bool Overlaps(const ConvexPolygon& piece, const ConvexPolygon& hole) {
    ConvexPolygon inside = piece, left, right;
    for (std::size_t i = 0; i < hole.size() && inside.size() >= 3; ++i) {
        Split(inside, hole[i], hole[(i + 1) % hole.size()], left, right);
        inside = left;
    }
    return inside.size() >= 3 && Area(inside) > NoArea;
}
}  // namespace

double Area(const ConvexPolygon& polygon) {
    double twice = 0;
    for (std::size_t i = 0; i < polygon.size(); ++i) {
        const glm::dvec2 p = polygon[i], q = polygon[(i + 1) % polygon.size()];
        twice += p.x * q.y - q.x * p.y;
    }
    return twice / 2;
}

std::vector<ConvexPolygon> Subtract(const ConvexPolygon& piece, const ConvexPolygon& hole) {
    if (!Overlaps(piece, hole)) return {piece};
    std::vector<ConvexPolygon> outside;
    ConvexPolygon rest = piece, left, right;
    // The hole is counter-clockwise, so its inside lies left of every edge: what lies right
    // of an edge is outside the hole and is kept; the rest goes on to the next edge.
    for (std::size_t i = 0; i < hole.size() && rest.size() >= 3; ++i) {
        Split(rest, hole[i], hole[(i + 1) % hole.size()], left, right);
        if (right.size() >= 3 && Area(right) > NoArea) outside.push_back(right);
        rest = left;
    }
    return outside;
}

}  // namespace media

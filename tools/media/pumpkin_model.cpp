// The pumpkin mesh: outer and inner shell with the openings cut out of a grid over the
// surface coordinates, walls joining the two shells round every opening so the candle's
// light shows through real holes, and the stem on top.
#include "pumpkin_model.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <numbers>

#include "pumpkin_candle.h"
#include "pumpkin_shape.h"

namespace media {

namespace {
using pumpkin::Opening;
using Surface = std::function<glm::dvec3(glm::dvec2)>;

// A grid over the surface coordinates: columns of u, each cut into rows of its own
// height, and every cell into two triangles along its diagonal. Where neighbouring
// columns' rows differ, the coarser cells take the finer ones' corners on their shared
// edge, so the surface has no cracks.
struct Column {
    double u0, u1;
    int rows;
    double RowHeight() const { return 180.0 / rows; }
};
using Grid = std::vector<Column>;

// `count` columns of equal width from u0 to u1, each of `rows` rows.
void AddColumns(Grid& grid, double u0, double u1, int count, int rows) {
    for (int k = 0; k < count; ++k)
        grid.push_back({u0 + (u1 - u0) * k / count, u0 + (u1 - u0) * (k + 1) / count, rows});
}

Grid UniformGrid(int columns, int rows) {
    Grid grid;
    AddColumns(grid, -180, 180, columns, rows);
    return grid;
}

// Every triangle costs a software rasteriser time whether it shows or not, so the outside
// is fine only where the look needs it: where its outline is seen. From the saver's
// camera the pumpkin's sides turn away between 55 and 100 degrees either side of the
// face; there the outline runs up and down the columns, and 3.75-degree columns of
// 6-degree rows draw it smooth at full-screen size. The face (the middle lobe and a half
// either side) has 7.5-degree columns of 7.5-degree rows: its curves are shaded by
// smooth normals, not drawn by the outline, and a triangle much larger than that shows
// flat where the cuts meet the lobes (the mouth's corners reach into the columns beside
// the face, which have its rows for that). The back, hidden but for the crown, whose
// outline runs along the rows, has 15-degree columns. Column edges fall on the creases
// between the eight lobes (22.5 + 45k degrees) so the creases stay sharp.
Grid FinerWhereTheOutlineIs() {
    constexpr int CoarseRows = 12, FaceRows = 24, OutlineRows = 30;
    Grid grid;
    AddColumns(grid, -180, -112.5, 5, CoarseRows);
    AddColumns(grid, -112.5, -101.25, 2, CoarseRows);
    AddColumns(grid, -101.25, -56.25, 12, OutlineRows);
    AddColumns(grid, -56.25, -45, 2, FaceRows);
    AddColumns(grid, -45, 45, 12, FaceRows);
    AddColumns(grid, 45, 56.25, 2, FaceRows);
    AddColumns(grid, 56.25, 101.25, 12, OutlineRows);
    AddColumns(grid, 101.25, 112.5, 2, CoarseRows);
    AddColumns(grid, 112.5, 180, 5, CoarseRows);
    return grid;
}

const Grid OuterGrid = FinerWhereTheOutlineIs();
// The inside, seen only through the openings and lit by the candle's soft glow, does
// with 15-degree columns of 30-degree rows.
const Grid InnerGrid = UniformGrid(24, 6);

// A point on an opening's rim, with how far along the rim it lies: the number of the
// rim's segment it is on plus its share of that segment.
struct RimPoint {
    double along;
    glm::dvec2 ue;
};

enum SmoothingGroup : std::uint32_t { OuterGroup = 1, InnerGroup = 2, WallGroup = 4, StemGroup = 8 };
enum SurfaceId { OuterSurfaceId, InnerSurfaceId, StemSurfaceId, StemCapSurfaceId, FirstWallSurfaceId };

glm::dvec2 TextureCoords(glm::dvec2 ue) { return {(ue.x + 180) / 360, (ue.y + 90) / 180}; }

class PumpkinBuilder {
public:
    PumpkinBuilder() : modelFromFront_(pumpkin::ModelFromFront()) {}

    void AddShell(int surfaceId, const Surface& surface, double facing, std::uint32_t group, LitBy litBy,
                  const Grid& grid, const std::vector<Opening>& openings) {
        for (const ConvexPolygon& piece : WithoutTJunctions(CarvedGrid(grid, openings))) {
            auto vertex = [&](glm::dvec2 ue) {
                return builder_.AddVertex(surfaceId, ue, {ToModel(surface(ue)), TextureCoords(ue)});
            };
            for (const auto& [a, b, c] : Triangulate(piece)) {
                // The centre lies inside the shell: outer faces look away from it, inner towards.
                const glm::dvec3 front = facing * ToModel(surface((a + b + c) / 3.0));
                builder_.AddTriangle(vertex(a), vertex(b), vertex(c), front, group, litBy);
            }
        }
    }

    // A wall joins the two shells round each rim. Its outer edge has a corner wherever
    // the outer shell's edge does, its inner edge wherever the inner shell's does, so each
    // meets its shell corner to corner, without cracks; the two edges are stitched
    // together in the order their corners come along the rim.
    void AddWalls(int surfaceId, const Opening& opening) {
        auto outer = [&](glm::dvec2 ue) {
            return builder_.AddVertex(surfaceId, ue, {ToModel(pumpkin::OuterSurface(ue)), TextureCoords(ue)});
        };
        auto inner = [&](glm::dvec2 ue) {
            return builder_.AddVertex(surfaceId + 1, ue, {ToModel(pumpkin::InnerSurface(ue)), TextureCoords(ue)});
        };
        for (const auto& rim : opening.rims) {
            const std::vector<RimPoint> o = SplitAtGridLines(rim, OuterGrid), i = SplitAtGridLines(rim, InnerGrid);
            std::size_t k = 0, n = 0;
            while (k + 1 < o.size() || n + 1 < i.size()) {
                if (n + 1 == i.size() || (k + 1 < o.size() && o[k + 1].along <= i[n + 1].along)) {
                    builder_.AddTriangle(outer(o[k].ue), outer(o[k + 1].ue), inner(i[n].ue),
                                         WallFront(o[k].ue, o[k + 1].ue), WallGroup, LitBy::Within);
                    ++k;
                } else {
                    builder_.AddTriangle(outer(o[k].ue), inner(i[n + 1].ue), inner(i[n].ue),
                                         WallFront(i[n].ue, i[n + 1].ue), WallGroup, LitBy::Within);
                    ++n;
                }
            }
        }
    }

    void AddStem() {
        constexpr int Rings = 6, Around = 16;
        auto vertex = [&](int ring, int step) {
            const double s = double(ring) / Rings, a = 360.0 * step / Around;
            // The last step comes round to the first: one vertex, so no crease shows there.
            return builder_.AddVertex(StemSurfaceId, {s, double(step % Around)},
                                      {ToModel(pumpkin::StemSurface(s, a)), {a / 360, s}});
        };
        for (int ring = 0; ring < Rings; ++ring) {
            const glm::dvec3 axis = ToModel(pumpkin::StemAxis((ring + 0.5) / Rings));
            for (int step = 0; step < Around; ++step) {
                const auto a = vertex(ring, step), b = vertex(ring, step + 1);
                const auto c = vertex(ring + 1, step + 1), d = vertex(ring + 1, step);
                const glm::dvec3 out = builder_.Result().vertices[a].position - axis;
                builder_.AddTriangle(a, b, c, out, StemGroup, LitBy::Outside);
                builder_.AddTriangle(a, c, d, out, StemGroup, LitBy::Outside);
            }
        }
        // The cut end of the stem: a flat cap of its own, so it keeps a crisp edge.
        const glm::dvec3 end = ToModel(pumpkin::StemAxis(1));
        const glm::dvec3 up = end - ToModel(pumpkin::StemAxis(0.9));
        const auto middle = builder_.AddVertex(StemCapSurfaceId, {1, -1}, {end, {0.5, 1}});
        for (int step = 0; step < Around; ++step) {
            auto rimVertex = [&](int k) {
                const double a = 360.0 * k / Around;
                return builder_.AddVertex(StemCapSurfaceId, {1, a},
                                          {ToModel(pumpkin::StemSurface(1, a)), {a / 360, 1}});
            };
            builder_.AddTriangle(middle, rimVertex(step), rimVertex(step + 1), up, StemGroup, LitBy::Outside);
        }
    }

    void AddCandle(int firstSurfaceId) { pumpkin::AddCandle(builder_, modelFromFront_, firstSurfaceId); }

    Mesh Result() const { return builder_.Result(); }

private:
    glm::dvec3 ToModel(glm::dvec3 front) const { return modelFromFront_ * front; }

    // The grid's triangles, with every opening taken out.
    static std::vector<ConvexPolygon> CarvedGrid(const Grid& grid, const std::vector<Opening>& openings) {
        std::vector<ConvexPolygon> pieces;
        for (const Column& column : grid) {
            for (int row = 0; row < column.rows; ++row) {
                const double u0 = column.u0, u1 = column.u1;
                const double e0 = -90 + row * column.RowHeight(), e1 = e0 + column.RowHeight();
                pieces.push_back({{u0, e0}, {u1, e0}, {u1, e1}});
                pieces.push_back({{u0, e0}, {u1, e1}, {u0, e1}});
            }
        }
        for (const Opening& opening : openings) {
            for (const ConvexPolygon& hole : opening.pieces) {
                std::vector<ConvexPolygon> remaining;
                for (const ConvexPolygon& piece : pieces) {
                    auto kept = Subtract(piece, hole);
                    remaining.insert(remaining.end(), kept.begin(), kept.end());
                }
                pieces = std::move(remaining);
            }
        }
        return pieces;
    }

    // A corner of one piece that lies inside an edge of its neighbour would leave a crack
    // there once the surface bends; every such corner becomes a corner of that edge too.
    static std::vector<ConvexPolygon> WithoutTJunctions(std::vector<ConvexPolygon> pieces) {
        constexpr double Tolerance = 1e-7;
        std::vector<glm::dvec2> corners;
        for (const auto& piece : pieces) corners.insert(corners.end(), piece.begin(), piece.end());
        std::sort(corners.begin(), corners.end(),
                  [](glm::dvec2 a, glm::dvec2 b) { return a.x < b.x || (a.x == b.x && a.y < b.y); });
        for (auto& piece : pieces) {
            ConvexPolygon completed;
            for (std::size_t i = 0; i < piece.size(); ++i) {
                const glm::dvec2 a = piece[i], b = piece[(i + 1) % piece.size()];
                completed.push_back(a);
                const double length = glm::length(b - a);
                const glm::dvec2 along = (b - a) / length;
                std::vector<std::pair<double, glm::dvec2>> inside;
                auto first = std::lower_bound(corners.begin(), corners.end(), std::min(a.x, b.x) - Tolerance,
                                              [](glm::dvec2 p, double x) { return p.x < x; });
                for (auto p = first; p != corners.end() && p->x <= std::max(a.x, b.x) + Tolerance; ++p) {
                    const glm::dvec2 q = *p - a;
                    const double share = glm::dot(q, along);
                    const double off = std::abs(q.x * along.y - q.y * along.x);
                    if (off < Tolerance && share > 1e-6 && share < length - 1e-6) inside.push_back({share, *p});
                }
                std::sort(inside.begin(), inside.end(), [](auto& l, auto& r) { return l.first < r.first; });
                for (const auto& [share, p] : inside)
                    if (glm::length(p - completed.back()) > 1e-6) completed.push_back(p);
            }
            piece = completed;
        }
        return pieces;
    }

    // A fan from the corner whose thinnest triangle is the least thin. A sliver's normal
    // follows the surface's bend along its long edges, not the surface, and at its wide
    // corner it outweighs its neighbours in the smooth normal there: on a rim that shows
    // as a speck of shine. Pieces with corners along every edge (no fan without a
    // triangle of no area) are fanned from their middle instead.
    static std::vector<std::array<glm::dvec2, 3>> Triangulate(const ConvexPolygon& piece) {
        const std::size_t n = piece.size();
        std::vector<std::array<glm::dvec2, 3>> best;
        double bestThinnest = -1;
        for (std::size_t apex = 0; apex < n; ++apex) {
            std::vector<std::array<glm::dvec2, 3>> fan;
            double thinnest = std::numbers::pi;
            for (std::size_t k = 1; k + 1 < n; ++k) {
                fan.push_back({piece[apex], piece[(apex + k) % n], piece[(apex + k + 1) % n]});
                if (Area(ConvexPolygon(fan.back().begin(), fan.back().end())) <= 1e-7) thinnest = -1;
                thinnest = std::min(thinnest, SmallestAngle(fan.back()));
            }
            if (thinnest > bestThinnest) {
                bestThinnest = thinnest;
                best = fan;
            }
        }
        if (bestThinnest >= 0) return best;
        glm::dvec2 middle{0, 0};
        for (glm::dvec2 p : piece) middle += p / double(n);
        std::vector<std::array<glm::dvec2, 3>> fan;
        for (std::size_t k = 0; k < n; ++k) fan.push_back({middle, piece[k], piece[(k + 1) % n]});
        return fan;
    }

    static double SmallestAngle(const std::array<glm::dvec2, 3>& t) {
        double smallest = std::numbers::pi;
        for (int k = 0; k < 3; ++k) {
            const glm::dvec2 a = t[(k + 1) % 3] - t[k], b = t[(k + 2) % 3] - t[k];
            smallest = std::min(smallest, std::acos(std::clamp(glm::dot(a, b) / (glm::length(a) * glm::length(b)), -1.0, 1.0)));
        }
        return smallest;
    }

    // The rim's corners and the points where it crosses the grid's lines (column edges,
    // each column's rows and each cell's diagonal), in order along the rim.
    static std::vector<RimPoint> SplitAtGridLines(const std::vector<glm::dvec2>& rim, const Grid& grid) {
        std::vector<RimPoint> points{{0, rim.front()}};
        for (std::size_t i = 1; i < rim.size(); ++i) {
            const glm::dvec2 a = rim[i - 1], b = rim[i];
            auto at = [&](double share) { return a + (b - a) * share; };
            // Shares of the segment where it crosses the line through p and q.
            auto crossing = [&](glm::dvec2 p, glm::dvec2 q, double from, double to, std::vector<double>& shares) {
                const glm::dvec2 d = q - p;
                const double start = Cross(a - p, d), slope = Cross(b - a, d);
                if (slope == 0) return;
                const double share = -start / slope;
                if (share > from + 1e-9 && share < to - 1e-9) shares.push_back(share);
            };
            // Split in turn at the column edges, then at the rows of the column each piece
            // lies in, then at the diagonal of the cell each piece lies in.
            std::vector<double> shares{0, 1};
            auto refine = [&](auto&& splitPiece) {
                std::vector<double> added;
                for (std::size_t k = 1; k < shares.size(); ++k) splitPiece(shares[k - 1], shares[k], added);
                shares.insert(shares.end(), added.begin(), added.end());
                std::sort(shares.begin(), shares.end());
            };
            refine([&](double from, double to, std::vector<double>& added) {
                for (const Column& column : grid) crossing({column.u0, 0}, {column.u0, 1}, from, to, added);
            });
            refine([&](double from, double to, std::vector<double>& added) {
                const Column& column = ColumnAt(grid, at((from + to) / 2).x);
                for (int row = 1; row < column.rows; ++row) {
                    const double e = -90 + row * column.RowHeight();
                    crossing({0, e}, {1, e}, from, to, added);
                }
            });
            refine([&](double from, double to, std::vector<double>& added) {
                const glm::dvec2 middle = at((from + to) / 2);
                const Column& column = ColumnAt(grid, middle.x);
                const double e0 = -90 + std::floor((middle.y + 90) / column.RowHeight()) * column.RowHeight();
                crossing({column.u0, e0}, {column.u1, e0 + column.RowHeight()}, from, to, added);
            });
            for (std::size_t k = 1; k + 1 < shares.size(); ++k) points.push_back({double(i - 1) + shares[k], at(shares[k])});
            points.push_back({double(i), b});
        }
        return points;
    }

    static double Cross(glm::dvec2 p, glm::dvec2 q) { return p.x * q.y - p.y * q.x; }

    static const Column& ColumnAt(const Grid& grid, double u) {
        auto found = std::upper_bound(grid.begin(), grid.end(), u,
                                      [](double value, const Column& column) { return value < column.u1; });
        return found == grid.end() ? grid.back() : *found;
    }

    // The way a wall along the rim from a to b faces: into the opening, which lies on the
    // rim's left.
    glm::dvec3 WallFront(glm::dvec2 a, glm::dvec2 b) const {
        const glm::dvec2 middle = (a + b) / 2.0, along = glm::normalize(b - a);
        const glm::dvec2 intoOpening{-along.y, along.x};
        return ToModel(pumpkin::OuterSurface(middle + 0.01 * intoOpening) - pumpkin::OuterSurface(middle));
    }

    glm::dmat3 modelFromFront_;
    MeshBuilder builder_;
};
}  // namespace

Mesh BuildPumpkin() {
    const std::vector<Opening> openings = pumpkin::CarvedOpenings();
    PumpkinBuilder pumpkin;
    pumpkin.AddShell(OuterSurfaceId, pumpkin::OuterSurface, +1, OuterGroup, LitBy::Outside, OuterGrid, openings);
    pumpkin.AddShell(InnerSurfaceId, pumpkin::InnerSurface, -1, InnerGroup, LitBy::Within, InnerGrid, openings);
    for (std::size_t i = 0; i < openings.size(); ++i)
        pumpkin.AddWalls(FirstWallSurfaceId + 2 * int(i), openings[i]);
    pumpkin.AddStem();
    pumpkin.AddCandle(FirstWallSurfaceId + 2 * int(openings.size()));
    return pumpkin.Result();
}

}  // namespace media

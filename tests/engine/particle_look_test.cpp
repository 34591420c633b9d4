// How particles look, apart from the display: which are soot, where soot shows and that
// it keeps its colour, how burning gas narrows, fades, cools from white as it ages and
// grows with its life, and which of a mesh's edges are drawn smoothed.
#include <gtest/gtest.h>

#include <glm/gtc/matrix_transform.hpp>

#include "engine/mesh_outline.h"
#include "engine/particle_look.h"
#include "support/case_names.h"

namespace {

struct SootCase {
    glm::vec4 colour;
    bool soot;
};

class Soot : public testing::TestWithParam<SootCase> {};

TEST_P(Soot, IsADarkNeutralColour) {
    const SootCase& c = GetParam();
    EXPECT_EQ(engine::IsSoot(c.colour), c.soot) << c.colour.r << " " << c.colour.g << " " << c.colour.b;
}

INSTANTIATE_TEST_SUITE_P(Colours, Soot,
                         testing::Values(SootCase{{0.1921569f, 0.1921569f, 0.1921569f, 1}, true},
                                         SootCase{{0, 0, 0, 1}, true}, SootCase{{0.5f, 0.5f, 0.5f, 1}, true},
                                         SootCase{{0.51f, 0.51f, 0.51f, 1}, false},
                                         SootCase{{1, 54 / 255.0f, 2 / 255.0f, 1}, false},
                                         SootCase{{0, 0, 1, 1}, false}, SootCase{{0.2f, 0.2f, 0.21f, 1}, false}),
                         [](const auto& info) {
                             const glm::vec4& c = info.param.colour;
                             using support::CaseValue;
                             return support::CaseName({"Rgb", CaseValue(c.r), CaseValue(c.g), CaseValue(c.b)});
                         });

engine::Particle Aged(float age, float life, float rise) {
    engine::Particle p;
    p.position = {0, rise, 300};
    p.velocity = {0, 1, 0};
    p.lift = 30;
    p.colour = {0.1921569f, 0.1921569f, 0.1921569f, 1};
    p.size = 15;
    p.age = age;
    p.life = life;
    return p;
}

// Soot shows once clear of a pumpkin's lid and is gone well before the top of the
// picture, in its own grey whatever the moment.
TEST(SootSprite, ShowsOnlyBetweenTheLidAndTheTopInItsOwnGrey) {
    engine::ParticleSettings system;
    system.birthSize = 15;
    system.speed = 12;
    struct {
        float rise;
        bool shown;
    } cases[] = {{0, false}, {29, false}, {50, true}, {80, true}, {111, false}, {300, false}};
    for (const auto& c : cases)
        for (float clock : {0.0f, 3.7f}) {
            engine::ParticleSprite sprite = engine::SootSprite(Aged(3, 6, c.rise), {0, 0, 300}, clock, system);
            EXPECT_EQ(sprite.colour.a > 0, c.shown) << "rise " << c.rise;
            EXPECT_EQ(glm::vec3(sprite.colour), glm::vec3(0.1921569f)) << "rise " << c.rise;
            EXPECT_GT(sprite.halfWidth, 0) << "rise " << c.rise;
        }
}

// A burning particle starts white-hot, wide and strong, and ends narrow, faint and in
// its own colour: stacked, they make a teardrop with a bright core.
TEST(BurningSprite, NarrowsFadesAndLeavesWhiteHotAsItAges) {
    engine::Particle young = Aged(0.1f, 2.4f, 2), old = Aged(2.0f, 2.4f, 30);
    young.colour = old.colour = {1, 54 / 255.0f, 2 / 255.0f, 1};
    for (float flare : {0.25f, 1.0f}) {
        engine::ParticleSprite first = engine::BurningSprite(young, {0, 0, 300}, 1, flare);
        engine::ParticleSprite last = engine::BurningSprite(old, {0, 0, 300}, 1, flare);
        EXPECT_GT(first.halfWidth, last.halfWidth);
        EXPECT_GT(first.colour.a, last.colour.a);
        EXPECT_GT(first.colour.g, last.colour.g * 2);
        EXPECT_GT(glm::length(first.halfLength), first.halfWidth) << "taller than wide";
    }
    // It dims with the flicker, but by less than the light it casts does.
    float dipped = engine::BurningSprite(old, {0, 0, 300}, 1, 0.25f).colour.r;
    float full = engine::BurningSprite(old, {0, 0, 300}, 1, 1.0f).colour.r;
    EXPECT_LT(dipped, full);
    EXPECT_GT(dipped, 0.25f * full);
    // A taller candle's gas, living longer, burns bigger at the same share of its life.
    engine::Particle tall = Aged(0.29f, 2.9f, 2), small = Aged(0.14f, 1.4f, 2);
    EXPECT_GT(engine::BurningSprite(tall, {0, 0, 300}, 1, 1).halfWidth,
              engine::BurningSprite(small, {0, 0, 300}, 1, 1).halfWidth * 1.1f);
}

struct OutlineCase {
    const char* name;
    // The square's two triangles share their diagonal's vertices, or have their own.
    bool sharedDiagonal;
    // How far (units) the square's fourth corner is pushed away from the camera: folded
    // along its diagonal into a ridge, as the skin meets an opening's wall.
    float fold;
    // The square faces the camera, or away from it.
    bool facingCamera;
    std::size_t edges;
};

class Outline : public testing::TestWithParam<OutlineCase> {};

// A square of two triangles 300 units before the camera: its rim is outline (no face
// beyond it); its diagonal shows only where the two faces meet at a sharp crease, each
// with vertices of its own.
TEST_P(Outline, DrawsTheRimAndTheCreasesInView) {
    const OutlineCase& c = GetParam();
    glm::vec3 towards(0, 0, c.facingCamera ? -1 : 1);
    std::vector<glm::vec3> positions{{-1, -1, 0}, {1, -1, 0}, {1, 1, 0}, {-1, 1, c.fold}};
    std::vector<std::uint32_t> indices{0, 1, 2, 0, 2, 3};
    if (!c.sharedDiagonal) {
        positions.push_back(positions[0]);
        positions.push_back(positions[2]);
        indices = {0, 1, 2, 4, 5, 3};
    }
    std::vector<glm::vec3> normals(positions.size(), towards);
    engine::MeshOutline outline(positions, normals, indices);
    glm::mat4 model = glm::translate(glm::mat4(1), glm::vec3(0, 0, 300));
    const auto& edges = outline.EdgesInView(model);
    EXPECT_EQ(edges.size(), c.edges) << c.name;
    // The rim is outline, with its face's third corner beside it; the diagonal is crease.
    for (const auto& edge : edges) {
        glm::vec3 from = positions[edge.from], to = positions[edge.to];
        bool rim = from.x == to.x || from.y == to.y;
        EXPECT_EQ(edge.outline, rim) << c.name;
        EXPECT_NE(edge.besideCorner, edge.from) << c.name;
        EXPECT_NE(edge.besideCorner, edge.to) << c.name;
    }
    // The same pose again gives the same edges.
    EXPECT_EQ(outline.EdgesInView(model).size(), c.edges) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Squares, Outline,
                         testing::Values(OutlineCase{"smooth, in view", true, 0, true, 4},
                                         OutlineCase{"sharply folded, in view", false, 2, true, 6},
                                         OutlineCase{"split but flat, in view", false, 0, true, 4},
                                         OutlineCase{"turned away", true, 0, false, 0}),
                         [](const auto& info) { return support::CaseName(info.param.name); });

}  // namespace

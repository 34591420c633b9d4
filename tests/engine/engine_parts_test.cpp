// The engine's parts that need no display: where the picture lands in the window, the
// mesh normals, the particle simulation and vector math.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/display.h"
#include "engine/gl_engine_objects.h"
#include "engine/mesh_geometry.h"
#include "engine/particle_simulation.h"
#include "engine/picture.h"
#include "engine/redraw_area.h"
#include "support/case_names.h"

namespace {

struct FitCase {
    int windowWidth, windowHeight;
    bool keepAspect;
    engine::WindowRect expected;
};

class PictureFit : public testing::TestWithParam<FitCase> {};

TEST_P(PictureFit, KeepsTheAspectWithBarsOrStretches) {
    const FitCase& c = GetParam();
    engine::WindowRect r = engine::FitPicture(800, 600, c.windowWidth, c.windowHeight, c.keepAspect);
    EXPECT_EQ(r.x, c.expected.x);
    EXPECT_EQ(r.y, c.expected.y);
    EXPECT_EQ(r.width, c.expected.width);
    EXPECT_EQ(r.height, c.expected.height);
}

INSTANTIATE_TEST_SUITE_P(Windows, PictureFit,
                         testing::Values(FitCase{800, 600, true, {0, 0, 800, 600}},
                                         FitCase{1024, 768, true, {0, 0, 1024, 768}},
                                         FitCase{1920, 1080, true, {240, 0, 1440, 1080}},
                                         FitCase{1280, 1024, true, {0, 32, 1280, 960}},
                                         FitCase{1920, 1080, false, {0, 0, 1920, 1080}}),
                         [](const auto& info) {
                             const FitCase& c = info.param;
                             return support::CaseName({std::to_string(c.windowWidth) + "x" + std::to_string(c.windowHeight),
                                                       c.keepAspect ? "KeepAspect" : "Stretch"});
                         });

struct PointCase {
    int windowX, windowY;
    int pictureX, pictureY;
};

class MousePosition : public testing::TestWithParam<PointCase> {};

// 800 x 600 shown at 1440 x 1080 with bars 240 wide on a 1920 x 1080 window.
TEST_P(MousePosition, IsReportedInThePicturesPixelsHeldInsideIt) {
    const PointCase& c = GetParam();
    int x = c.windowX, y = c.windowY;
    engine::WindowToPicture({240, 0, 1440, 1080}, 800, 600, x, y);
    EXPECT_EQ(x, c.pictureX);
    EXPECT_EQ(y, c.pictureY);
}

INSTANTIATE_TEST_SUITE_P(Points, MousePosition,
                         testing::Values(PointCase{240, 0, 0, 0}, PointCase{960, 540, 400, 300},
                                         PointCase{1679, 1079, 799, 599}, PointCase{0, 500, 0, 277},
                                         PointCase{1919, -5, 799, 0}),
                         [](const auto& info) {
                             return support::CaseName({"At", std::to_string(info.param.windowX),
                                                       std::to_string(info.param.windowY)});
                         });

engine::Model3ds TwoFacesSharingAnEdge(std::uint32_t groupA, std::uint32_t groupB) {
    engine::Model3dsObject object;
    object.name = "fold";
    // Two triangles folded at a right angle along the x axis.
    object.vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    object.faces = {{0, 1, 2}, {0, 3, 1}};
    object.smoothingGroups = {groupA, groupB};
    return {{object}};
}

TEST(MeshGeometry, SmoothsOnlyAcrossASharedSmoothingGroup) {
    auto smooth = engine::BuildTriangles(TwoFacesSharingAnEdge(1, 1), {});
    auto creased = engine::BuildTriangles(TwoFacesSharingAnEdge(1, 2), {});
    ASSERT_EQ(smooth.size(), 6u);
    // Corner 0 of the first face lies on the fold.
    glm::vec3 between = glm::normalize(glm::vec3(0, -1, 1));
    EXPECT_NEAR(glm::dot(glm::abs(smooth[0].normal), glm::abs(between)), 1.0f, 1e-5f);
    EXPECT_NEAR(std::abs(creased[0].normal.z), 1.0f, 1e-5f);
    auto flat = engine::BuildTriangles(TwoFacesSharingAnEdge(1, 1), {true, false, true});
    EXPECT_NEAR(std::abs(flat[0].normal.z), 1.0f, 1e-5f);
}

// A ridge along y: one face slopes down to the left, and faces spanning the same angle at
// the ridge slope down to the right, reaching `reach` out and cut into `pieces`. However
// broad or finely cut the right side is, the normal on the ridge stands straight up.
struct RidgeCase {
    const char* name;
    float reach;
    int pieces;
};

class RidgeNormal : public ::testing::TestWithParam<RidgeCase> {};

TEST_P(RidgeNormal, WeighsEachFaceByItsAngleAtTheCorner) {
    const RidgeCase& ridge = GetParam();
    engine::Model3dsObject object{"ridge", {{0, 0, 0}, {-1, 1, -1}, {-1, -1, -1}}, {}, {{0, 1, 2}}, {}};
    for (int k = 0; k <= ridge.pieces; ++k) {
        float along = -1 + 2.0f * k / ridge.pieces;
        object.vertices.push_back({ridge.reach, ridge.reach * along, -ridge.reach});
    }
    for (int k = 0; k < ridge.pieces; ++k)
        object.faces.push_back({0, static_cast<std::uint16_t>(3 + k), static_cast<std::uint16_t>(4 + k)});
    auto triangles = engine::BuildTriangles({{object}}, {});
    ASSERT_EQ(triangles.size(), 3u * (1 + ridge.pieces));
    EXPECT_NEAR(triangles[0].normal.z, 1.0f, 1e-5f);
    EXPECT_NEAR(triangles[0].normal.x, 0.0f, 1e-5f);
}

INSTANTIATE_TEST_SUITE_P(Sides, RidgeNormal,
                         ::testing::Values(RidgeCase{"Mirrored", 1, 1}, RidgeCase{"CutInThree", 1, 3},
                                           RidgeCase{"TwiceAsBroad", 2, 1}, RidgeCase{"BroadAndCut", 3, 5}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(MeshGeometry, CentresTheModelUnlessItKeepsItsOrigin) {
    auto kept = engine::BuildTriangles(TwoFacesSharingAnEdge(1, 1), {true, true, true});
    auto centred = engine::BuildTriangles(TwoFacesSharingAnEdge(1, 1), {true, true, false});
    EXPECT_EQ(kept[0].position, glm::vec3(0, 0, 0));
    EXPECT_EQ(centred[0].position, glm::vec3(-0.5f, -0.5f, -0.5f));
}

TEST(MeshGeometry, LeavesOutFacesWithoutArea) {
    engine::Model3dsObject object{"line", {{0, 0, 0}, {1, 0, 0}, {2, 0, 0}}, {}, {{0, 1, 2}}, {}};
    EXPECT_TRUE(engine::BuildTriangles({{object}}, {}).empty());
}

engine::ParticleSimulation Candle(int capacity, float perSecond) {
    engine::ParticleSimulation simulation;
    simulation.settings.capacity = capacity;
    simulation.settings.birthsPerSecond = perSecond;
    simulation.settings.emitter = {0, 0, 300};
    return simulation;
}

TEST(ParticleSimulation, BearsAtItsRateUpToItsCountAndHandsEachBirthToTheHandler) {
    auto simulation = Candle(10, 32);
    int births = 0;
    auto handler = [&](engine::Particle& p) {
        ++births;
        p.life = 100;
    };
    for (int step = 0; step < 10; ++step) simulation.Advance(0.05f, handler);
    EXPECT_EQ(births, 10);  // 16 were due, but only 10 fit
    EXPECT_EQ(simulation.Particles().size(), 10u);
}

TEST(ParticleSimulation, TakesTheHandlersValuesAndTheEmitterItSets) {
    auto simulation = Candle(5, 1);
    simulation.Advance(1.0f, [&](engine::Particle& p) {
        p.velocity = {0, 0.6f, 0};
        p.colour = {1, 0.2f, 0, 1};
        p.life = 2.4f;
        simulation.settings.emitter = {1, 2, 3};
    });
    ASSERT_EQ(simulation.Particles().size(), 1u);
    const engine::Particle& p = simulation.Particles()[0];
    EXPECT_EQ(p.position, glm::vec3(1, 2, 3));
    EXPECT_EQ(p.colour, glm::vec4(1, 0.2f, 0, 1));
    EXPECT_FLOAT_EQ(p.life, 2.4f);
}

TEST(ParticleSimulation, MovesWithSpeedLosesVelocityToDragAndDiesAtTheEndOfItsLife) {
    auto simulation = Candle(1, 1);
    simulation.settings.speed = 10;
    simulation.settings.drag = 0.01f;
    simulation.Advance(1.0f, [](engine::Particle& p) {
        p.velocity = {0, 1, 0};
        p.life = 0.25f;
    });
    simulation.settings.birthsPerSecond = 0;
    simulation.Advance(0.1f, [](engine::Particle&) {});
    const engine::Particle& p = simulation.Particles().at(0);
    EXPECT_NEAR(p.position.y, 1.0f, 1e-5f);  // 1 unit/s x speed 10 x 0.1 s
    EXPECT_NEAR(p.velocity.y, std::pow(0.99f, 10.0f), 1e-5f);
    simulation.Advance(0.2f, [](engine::Particle&) {});
    EXPECT_TRUE(simulation.Particles().empty());
}

TEST(VectorMath, NormalisesToUnitLengthAndAZeroVectorToZero) {
    engine::GlEngineObjects engines;
    saver::Vector3 unit = engines.Math().Normalize({3, 0, 4});
    EXPECT_FLOAT_EQ(unit.x, 0.6f);
    EXPECT_FLOAT_EQ(unit.z, 0.8f);
    saver::Vector3 zero = engines.Math().Normalize({0, 0, 0});
    EXPECT_EQ(zero.x, 0.0f);
    EXPECT_EQ(zero.y, 0.0f);
    EXPECT_EQ(zero.z, 0.0f);
    saver::Vector3 scaled = engines.Math().Scale({0, 1, 0}, 0.6f);
    EXPECT_FLOAT_EQ(scaled.y, 0.6f);
}

}  // namespace

namespace {

TEST(PictureColourKey, MakesExactlyTheKeyColourTransparent) {
    engine::Picture picture{3, 1, {0, 0, 0, 255, 1, 0, 0, 255, 255, 255, 255, 255}};
    engine::KeyOut(picture, 0xFF000000u);
    EXPECT_EQ(picture.rgba[3], 0);
    EXPECT_EQ(picture.rgba[7], 255);
    EXPECT_EQ(picture.rgba[11], 255);
}

TEST(PictureColourKey, KeysByRedGreenAndBlueInThatOrder) {
    engine::Picture picture{2, 1, {0x12, 0x34, 0x56, 255, 0x56, 0x34, 0x12, 255}};
    engine::KeyOut(picture, 0xFF123456u);
    EXPECT_EQ(picture.rgba[3], 0);
    EXPECT_EQ(picture.rgba[7], 255);
}

TEST(PictureSize, ResizesToTheSizeAskedFor) {
    engine::Picture picture{2, 2, {1, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 4}};
    engine::Picture bigger = engine::Resized(picture, 4, 4);
    ASSERT_EQ(bigger.rgba.size(), 64u);
    EXPECT_EQ(bigger.rgba[0], 1);
    EXPECT_EQ(bigger.rgba[(3 * 4 + 3) * 4], 4);
}

// Three frames drawn in a 100 x 100 picture, the second and third alike: which of the last
// two are drawn whole, and whether what the second draws lies in the area it redraws.
struct RedrawCase {
    const char* name;
    std::vector<engine::Change> first, later;
    bool pictureMoves;
    bool secondWhole, thirdWhole;
};

engine::Change Box(float x0, float y0, float x1, float y1, std::uint64_t steadyKey = 0) {
    return {{{x0, y0}, {x1, y1}}, steadyKey};
}

class RedrawAreas : public testing::TestWithParam<RedrawCase> {};

TEST_P(RedrawAreas, RedrawWhatChangesAndEverythingWhenTheyCannotTell) {
    const RedrawCase& c = GetParam();
    engine::RedrawArea area;
    const engine::GlRect picture{0, 0, 100, 100}, moved{2, 0, 100, 100};
    auto draw = [&](const std::vector<engine::Change>& changes, const engine::GlRect& at) {
        engine::GlRect opened = area.Open(at, false, changes.front());
        for (std::size_t i = 1; i < changes.size(); ++i) area.Note(changes[i]);
        area.Close();
        return opened.width == at.width && opened.height == at.height;
    };
    EXPECT_TRUE(draw(c.first, picture)) << c.name;
    const engine::GlRect& later = c.pictureMoves ? moved : picture;
    EXPECT_EQ(draw(c.later, later), c.secondWhole) << c.name;
    EXPECT_EQ(draw(c.later, later), c.thirdWhole) << c.name;
}

const engine::Change kMesh = Box(-0.2f, -0.2f, 0.2f, 0.2f, 7), kOtherMesh = Box(-0.2f, -0.2f, 0.2f, 0.2f, 8),
                     kStill = Box(1, 1, -1, -1, 9), kSprite = Box(0.1f, 0.1f, 0.2f, 0.2f),
                     kSpriteFarOff = Box(0.8f, 0.8f, 0.9f, 0.9f);

INSTANTIATE_TEST_SUITE_P(
    Frames, RedrawAreas,
    testing::Values(RedrawCase{"a flickering mesh and a sprite", {kMesh, kSprite}, {kMesh, kSprite}, false, false, false},
                    RedrawCase{"the mesh's pose or lights change", {kMesh, kSprite}, {kOtherMesh, kSprite}, false, true, false},
                    RedrawCase{"a sprite leaps beyond the margin", {kMesh, kSprite}, {kMesh, kSpriteFarOff}, false, false, true},
                    RedrawCase{"something still is no longer drawn", {kMesh, kStill}, {kMesh}, false, false, true},
                    RedrawCase{"the picture drifts", {kMesh, kSprite}, {kMesh, kSprite}, true, true, false}),
    [](const auto& info) { return support::CaseName(info.param.name); });

}  // namespace

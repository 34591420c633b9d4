// What a mesh draw's fingerprints take in: each input changed in turn changes the one that
// stands for it, so that a frame drawn in part never keeps a picture drawn with the old
// value, and a flicker changes only the glowing one, so that it never costs a whole frame.
#include <gtest/gtest.h>

#include <functional>
#include <glm/gtc/matrix_transform.hpp>

#include "engine/scene_lights.h"
#include "engine/mesh_draw_inputs.h"

namespace {

// A pumpkin's worth of scene: a lamp outside, a candle's glow inside, the moon.
struct Scene {
    glm::mat4 model = glm::translate(glm::mat4(1), glm::vec3(0, 0, 300));
    glm::mat4 projection = glm::perspectiveLH_NO(glm::radians(45.0f), 4.0f / 3.0f, 1.0f, 1000.0f);
    float pixelAtOne = 0.002f;
    engine::Material material{{0.2f, 0.1f, 0.1f, 1}, {0.8f, 0.3f, 0.1f, 1}, {0.1f, 0.1f, 0.1f, 1}, {0, 0, 0, 1}, 8};
    std::map<std::int32_t, engine::PointLight> points{{1, {{0, 200, 100}, {1, 1, 1}, 500}}};
    std::map<std::int32_t, engine::DirectionalLight> directionals{{1, {{0, -1, 1}, {0.2f, 0.2f, 0.3f}}}};
    std::map<const void*, engine::ParticleGlow> glows{
        {nullptr, {{{0, -10, 300}, {1, 0.7f, 0.3f}, 80}, {{0, 0, 300}, {20, 30}, {0.3f, 0.2f, 0.1f}}}}};
    bool lit = true;

    engine::MeshDrawInputs Inputs() const {
        engine::Lighting lighting{lit, &points, &directionals, &glows};
        return engine::GatherMeshInputs(glm::vec3(0), 50, model, material, lighting, projection, pixelAtOne);
    }
};

enum class Stands { Steady, Glowing };

struct InputCase {
    const char* name;
    std::function<void(Scene&)> change;
    Stands fingerprint;
};

void PrintTo(const InputCase& c, std::ostream* out) { *out << c.name; }

class MeshDrawInputs : public testing::TestWithParam<InputCase> {};

TEST_P(MeshDrawInputs, ChangeTheFingerprintThatStandsForThem) {
    const InputCase& c = GetParam();
    Scene scene;
    int mesh = 0;
    engine::MeshDrawInputs before = scene.Inputs();
    c.change(scene);
    engine::MeshDrawInputs after = scene.Inputs();
    bool steadyChanged = engine::SteadyFingerprint(&mesh, before) != engine::SteadyFingerprint(&mesh, after);
    bool glowingChanged = engine::GlowingFingerprint(before) != engine::GlowingFingerprint(after);
    if (c.fingerprint == Stands::Steady) {
        EXPECT_TRUE(steadyChanged);
    } else {
        EXPECT_TRUE(glowingChanged);
        EXPECT_FALSE(steadyChanged);
    }
}

void Candle(Scene& s, const std::function<void(engine::ParticleGlow&)>& change) { change(s.glows.begin()->second); }

INSTANTIATE_TEST_SUITE_P(
    EachInput, MeshDrawInputs,
    testing::Values(
        InputCase{"Pose", [](Scene& s) { s.model = glm::rotate(s.model, 0.1f, glm::vec3(0, 1, 0)); }, Stands::Steady},
        InputCase{"Lens", [](Scene& s) { s.projection[0][0] *= 1.1f; }, Stands::Steady},
        InputCase{"PixelSize", [](Scene& s) { s.pixelAtOne *= 2; }, Stands::Steady},
        InputCase{"Ambient", [](Scene& s) { s.material.ambient.r += 0.1f; }, Stands::Steady},
        InputCase{"Diffuse", [](Scene& s) { s.material.diffuse.g += 0.1f; }, Stands::Steady},
        InputCase{"Opacity", [](Scene& s) { s.material.diffuse.a = 0.5f; }, Stands::Steady},
        InputCase{"Specular", [](Scene& s) { s.material.specular.b += 0.1f; }, Stands::Steady},
        InputCase{"Emissive", [](Scene& s) { s.material.emissive.r += 0.1f; }, Stands::Steady},
        InputCase{"SpecularPower", [](Scene& s) { s.material.power += 1; }, Stands::Steady},
        InputCase{"LightingSwitchedOff", [](Scene& s) { s.lit = false; }, Stands::Steady},
        InputCase{"LampPlace", [](Scene& s) { s.points[1].position.x += 5; }, Stands::Steady},
        InputCase{"LampRange", [](Scene& s) { s.points[1].range += 5; }, Stands::Steady},
        InputCase{"LampAdded", [](Scene& s) { s.points[2] = {{50, 0, 0}, {1, 0, 0}, 100}; }, Stands::Steady},
        InputCase{"MoonWay", [](Scene& s) { s.directionals[1].direction.x += 0.5f; }, Stands::Steady},
        InputCase{"MoonColour", [](Scene& s) { s.directionals[1].colour.r += 0.1f; }, Stands::Steady},
        InputCase{"CandlePlace", [](Scene& s) { Candle(s, [](auto& g) { g.light.position.y += 2; }); }, Stands::Steady},
        InputCase{"CandleRange", [](Scene& s) { Candle(s, [](auto& g) { g.light.range += 2; }); }, Stands::Steady},
        InputCase{"CandleColour", [](Scene& s) { Candle(s, [](auto& g) { g.light.colour.r -= 0.1f; }); }, Stands::Glowing},
        InputCase{"LampColour", [](Scene& s) { s.points[1].colour.g -= 0.1f; }, Stands::Glowing},
        InputCase{"SpillPlace", [](Scene& s) { Candle(s, [](auto& g) { g.spill.centre.x += 1; }); }, Stands::Glowing},
        InputCase{"SpillSize", [](Scene& s) { Candle(s, [](auto& g) { g.spill.halfSize.y += 1; }); }, Stands::Glowing},
        InputCase{"SpillColour", [](Scene& s) { Candle(s, [](auto& g) { g.spill.colour.g += 0.1f; }); }, Stands::Glowing}),
    [](const testing::TestParamInfo<InputCase>& info) { return info.param.name; });

}  // namespace

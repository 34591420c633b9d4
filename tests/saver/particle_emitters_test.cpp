// The flame's and the smoke's new particles: speed 0.6, the flame upward, life times,
// colours, the emitter put back at the candle, and never a value that is not a number.
#include <cmath>
#include <random>

#include "support/saver_fixture.h"

namespace saver_test {
namespace {

class ParticleEmitters : public SaverTest {
protected:
    // Spread draws over [0, 1) so that every direction is tried.
    void FeedRandomNumbers(int count) {
        std::mt19937 generator(7);
        std::uniform_real_distribution<float> uniform(0.0f, 1.0f);
        for (int i = 0; i < count; ++i) toolkit->randomNumbers.push_back(uniform(generator));
    }

    std::vector<fakes::EmittedParticle> Emitted(const std::string& system) {
        std::vector<fakes::EmittedParticle> found;
        for (const auto& p : engines->emitted) {
            if (p.system == system) found.push_back(p);
        }
        return found;
    }
};

double Length(const fakes::EmittedParticle& p) {
    return std::sqrt(double(p.velocX) * p.velocX + double(p.velocY) * p.velocY +
                     double(p.velocZ) * p.velocZ);
}

TEST_F(ParticleEmitters, GiveEveryParticleSpeedSixTenthsAndTheFlameAnUpwardVelocity) {
    FeedRandomNumbers(3 * 2 * 200 * 3);
    engines->particlesPerUpdate = 200;
    CloseWindowAtPump(4);
    Load();
    auto flame = Emitted("Particle#1");
    auto smoke = Emitted("Particle#2");
    ASSERT_EQ(flame.size(), 600u);
    ASSERT_EQ(smoke.size(), 600u);
    bool smokeDown = false, smokeUp = false;
    for (const auto& p : flame) {
        EXPECT_NEAR(Length(p), 0.6, 4e-7);
        EXPECT_GT(p.velocY, 0.0f);
    }
    for (const auto& p : smoke) {
        EXPECT_NEAR(Length(p), 0.6, 4e-7);
        smokeDown |= p.velocY < 0;
        smokeUp |= p.velocY > 0;
    }
    EXPECT_TRUE(smokeDown && smokeUp);
}

TEST_F(ParticleEmitters, DrawXThenYThenZFromTheOneGenerator) {
    // Flame draws first (update of system 1), then smoke.
    toolkit->randomNumbers = {0.75f, 0.0f, 0.5f, 0.5f, 1.0f - 1.0f / 16777216, 0.25f};
    engines->particlesPerUpdate = 1;
    CloseWindowAtPump(2);
    Load();
    auto flame = Emitted("Particle#1").at(0);
    auto smoke = Emitted("Particle#2").at(0);
    // Flame raw (0.5, 2, 0); smoke raw (0, -2 + 2^-22, -0.5).
    double flameLength = std::sqrt(0.25 + 4.0);
    EXPECT_FLOAT_EQ(flame.velocX, static_cast<float>(0.5 / flameLength * 0.6));
    EXPECT_FLOAT_EQ(flame.velocY, static_cast<float>(2 / flameLength * 0.6));
    EXPECT_FLOAT_EQ(flame.velocZ, 0.0f);
    EXPECT_FLOAT_EQ(smoke.velocX, 0.0f);
    EXPECT_LT(smoke.velocY, 0.0f);
    EXPECT_LT(smoke.velocZ, 0.0f);
}

TEST_F(ParticleEmitters, SetLifeColourAndLeaveTheTextureIndexAlone) {
    struct Case {
        const char* height;
        float flameLife;
    } cases[] = {{"10", 2.4f}, {"0", 1.4f}, {"20", 3.4f}};
    for (const auto& c : cases) {
        SetUp();
        SetIni(mScreenSaver::CandleHeightSetting, c.height);
        SetIni(mScreenSaver::CandleColorSetting, "255");
        engines->particlesPerUpdate = 3;
        engines->textureIndexGiven = 9;
        CloseWindowAtPump(2);
        Load();
        for (const auto& p : Emitted("Particle#1")) {
            EXPECT_EQ(p.lifeTime, c.flameLife) << c.height;
            EXPECT_EQ(p.colorR, 1.0f);
            EXPECT_EQ(p.colorG, 0.0f);
            EXPECT_EQ(p.colorB, 0.0f);
            EXPECT_EQ(p.colorA, 1.0f);
            EXPECT_EQ(p.textureIndex, 9);
        }
        for (const auto& p : Emitted("Particle#2")) {
            EXPECT_EQ(p.lifeTime, 0.4f) << c.height;
            EXPECT_EQ(p.colorR, 0.1921569f);
            EXPECT_EQ(p.colorG, 0.1921569f);
            EXPECT_EQ(p.colorB, 0.1921569f);
            EXPECT_EQ(p.colorA, 1.0f);
            EXPECT_EQ(p.textureIndex, 9);
        }
        EXPECT_EQ(engines->emitted.size(), 6u) << c.height;
    }
}

TEST_F(ParticleEmitters, MoveTheirOwnSystemsEmitterBackToTheCandle) {
    engines->particlesPerUpdate = 2;
    CloseWindowAtPump(2);
    Load();
    std::vector<std::string> expected = {
        "Particle#1.Update(68)",
        "Particle#1.MoveEmitter((0, 0, 300))",
        "Particle#1.MoveEmitter((0, 0, 300))",
        "Particle#1.Render()",
        "Particle#2.Update(68)",
        "Particle#2.MoveEmitter((0, 0, 300))",
        "Particle#2.MoveEmitter((0, 0, 300))",
        "Particle#2.Render()",
    };
    EXPECT_EQ(CallsFrom("Particle#1.Update(68)", expected.size()), expected);
}

TEST_F(ParticleEmitters, ASmokeVectorWithoutDirectionGivesAParticleAtRest) {
    for (bool carelessMath : {false, true}) {
        SetUp();
        engines->normalizeZeroGivesNaN = carelessMath;
        // Flame first: any three draws; then the smoke's three halves make (0, 0, 0).
        toolkit->randomNumbers = {0.1f, 0.2f, 0.3f, 0.5f, 0.5f, 0.5f};
        engines->particlesPerUpdate = 1;
        CloseWindowAtPump(2);
        Load();
        auto smoke = Emitted("Particle#2").at(0);
        EXPECT_EQ(smoke.velocX, 0.0f) << carelessMath;
        EXPECT_EQ(smoke.velocY, 0.0f) << carelessMath;
        EXPECT_EQ(smoke.velocZ, 0.0f) << carelessMath;
        EXPECT_EQ(smoke.lifeTime, 0.4f);
    }
}

TEST_F(ParticleEmitters, StopWhenTheirSystemsAreReleased) {
    CloseWindowAtPump(2);
    Load();
    EXPECT_FALSE(engines->handlerSet["Particle#1"]);
    EXPECT_FALSE(engines->handlerSet["Particle#2"]);
}

}  // namespace
}  // namespace saver_test

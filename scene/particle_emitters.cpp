// The flame's and the smoke's NewParticle handlers: life time, a random velocity of
// speed 0.6 (upward for the flame), the colour, and the emitter back at the candle.
#include <cmath>

#include "platform/toolkit.h"
#include "scene/frm_saver.h"

namespace {

constexpr float Speed = 0.6f;
constexpr float SmokeLife = 0.4f;
constexpr float SmokeGrey = 0.1921569f;

struct Emission {
    float life;
    // Raw y is yFactor * r + 2: from 2 up to 6 for the flame, from -2 up to 2 for smoke.
    double yFactor;
    scene::CandleRgb color;
};

// One uniform draw as 2r - 1, 4r + 2 or -4r + 2, kept as a single.
float RawComponent(double factor, double offset) {
    return static_cast<float>(factor * platform::App().Random() + offset);
}

bool Finite(const scene::Vector3& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

void Emit(const Emission& emission, scene::ParticleSystem& system, float& VelocX, float& VelocY,
          float& VelocZ, float& ColorR, float& ColorG, float& ColorB, float& ColorA,
          float& LifeTime) {
    LifeTime = emission.life;

    scene::Vector3 raw;
    raw.x = RawComponent(2, -1);
    raw.y = RawComponent(emission.yFactor, 2);
    raw.z = RawComponent(2, -1);
    scene::VectorMath& math = scene::Engines().Math();
    scene::Vector3 velocity = math.Scale(math.Normalize(raw), Speed);
    // A raw smoke vector of (0, 0, 0) has no direction; such a particle is born at rest
    // rather than with a velocity that is not a number.
    if (!Finite(velocity)) velocity = {};
    VelocX = velocity.x;
    VelocY = velocity.y;
    VelocZ = velocity.z;

    system.MoveEmitter(scene::Engines().Globals().EmitterVector(0, 0, 300));

    ColorR = emission.color.r;
    ColorG = emission.color.g;
    ColorB = emission.color.b;
    ColorA = 1.0f;
}

}  // namespace

void FrmSaver::My_Particle1_NewParticle(float& VelocX, float& VelocY, float& VelocZ,
                                        float& ColorR, float& ColorG, float& ColorB,
                                        float& ColorA, float& LifeTime, std::int32_t&) {
    Emit({FlameLife, 4, CandleColor}, *My_Particle1, VelocX, VelocY, VelocZ, ColorR, ColorG,
         ColorB, ColorA, LifeTime);
}

void FrmSaver::My_Particle2_NewParticle(float& VelocX, float& VelocY, float& VelocZ,
                                        float& ColorR, float& ColorG, float& ColorB,
                                        float& ColorA, float& LifeTime, std::int32_t&) {
    Emit({SmokeLife, -4, {SmokeGrey, SmokeGrey, SmokeGrey}}, *My_Particle2, VelocX, VelocY,
         VelocZ, ColorR, ColorG, ColorB, ColorA, LifeTime);
}

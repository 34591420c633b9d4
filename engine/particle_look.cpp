#include "engine/particle_look.h"

#include <algorithm>
#include <cmath>

namespace engine {

namespace {

// The young gas at a flame's root burns nearly white, tinted a little by its colour.
constexpr glm::vec3 kWhiteHot{1.0f, 0.93f, 0.72f};
// A burning particle is this many times taller than wide, and narrows to this share of
// its width by the end of its life: stacked, they make the teardrop.
constexpr float kFlameStretch = 1.7f;
constexpr float kTipWidth = 0.3f;
// The flame leans by up to about this share of a particle's height above the emitter.
constexpr float kSway = 0.12f;
// Gas that burns longer makes a bigger flame, wider as well as taller, as a longer wick's
// does: a burning particle is drawn at its size times its life over a middling candle's,
// to this power (the flame of the tallest candle then shows about twice the core of the
// smallest's).
constexpr float kMiddlingLife = 2.4f;
constexpr float kGrowthWithLife = 0.2f;

// Soot is drawn this share of its edge wide and this many times longer than wide, along
// its way; it shows from the first share of its life.
constexpr float kSootWidth = 0.35f;
constexpr float kSootStretch = 2.4f;
constexpr float kSootShowsFrom = 0.1f;
// Soot below this rise above the emitter is still inside whatever holds the flame (a
// pumpkin's lid is some 50 units up) and is not drawn at all: it would cost the
// rasteriser without showing.
constexpr float kSootShowsAbove = 30.0f;
// Soot thins out over this stretch of its rise above the emitter (world units): gone well
// before it reaches the top of the picture.
constexpr float kSootFadesFrom = 60.0f, kSootGoneAt = 110.0f;
// How fast soot spreads, in world units of edge a second.
constexpr float kSootSpread = 2.5f;
// The draught: how far (world units) it carries soot sideways at most, and over how many
// units of rise above the emitter it comes into play.
constexpr float kDraught = 9.0f;
constexpr float kDraughtStartsAbove = 45.0f;

// The flame itself dims and brightens by less than the light it casts round it: the eye
// reads a flicker in the flame's size and in what it lights more than in its core.
constexpr float kFlareSeen = 0.4f;

float Steadied(float flare) { return 1.0f - kFlareSeen * (1.0f - flare); }

float Lived(const Particle& p) { return p.life > 0 ? std::clamp(p.age / p.life, 0.0f, 1.0f) : 1.0f; }

// Sideways offset of the draught at a height above the emitter: two slow waves that run
// upward, so that a stream of particles curls and its curls climb.
glm::vec3 Draught(float rise, float clock) {
    float strength = glm::smoothstep(kDraughtStartsAbove * 0.5f, kDraughtStartsAbove * 1.5f, rise);
    float x = 0.65f * std::sin(0.055f * rise - 1.1f * clock) + 0.35f * std::sin(0.13f * rise - 1.7f * clock + 1.3f);
    float z = std::sin(0.04f * rise - 0.8f * clock + 2.1f);
    return glm::vec3(x, 0, z) * (kDraught * strength);
}

}  // namespace

bool IsSoot(const glm::vec4& c) { return c.r == c.g && c.g == c.b && c.r <= 0.5f; }

ParticleSprite BurningSprite(const Particle& p, const glm::vec3& emitter, float clock, float flare) {
    float lived = Lived(p);
    float heat = 1.0f - lived;
    float rise = std::max(p.position.y - emitter.y, 0.0f);
    float lean = kSway * (0.7f * std::sin(1.9f * clock) + 0.3f * std::sin(4.7f * clock + 1.0f));
    ParticleSprite sprite;
    sprite.centre = p.position + glm::vec3(lean * rise, 0, 0);
    float grown = std::pow(std::max(p.life, 0.0f) / kMiddlingLife, kGrowthWithLife);
    float halfWidth = 0.5f * p.size * grown * (kTipWidth + (1.0f - kTipWidth) * heat);
    sprite.halfWidth = halfWidth;
    sprite.halfLength = {lean * halfWidth, halfWidth * kFlameStretch};
    glm::vec3 colour = glm::mix(glm::vec3(p.colour), kWhiteHot, glm::smoothstep(0.6f, 1.0f, heat) * 0.8f);
    sprite.colour = {colour * Steadied(flare), p.colour.a * heat * heat};
    return sprite;
}

ParticleSprite SootSprite(const Particle& p, const glm::vec3& emitter, float clock, const ParticleSettings& system) {
    float lived = Lived(p);
    float rise = p.position.y - emitter.y;
    ParticleSprite sprite;
    sprite.centre = p.position + Draught(rise, clock);
    // Its way on the screen: its own velocity, its rise and the draught's slope there.
    glm::vec3 way = p.velocity * system.speed + glm::vec3(0, p.lift, 0) + (Draught(rise + 1.0f, clock) - Draught(rise, clock)) * p.lift;
    glm::vec2 along(way.x, way.y);
    along = glm::length(along) > 1e-4f ? glm::normalize(along) : glm::vec2(0, 1);
    sprite.halfWidth = 0.5f * kSootWidth * (system.birthSize + kSootSpread * p.age);
    sprite.halfLength = along * (sprite.halfWidth * kSootStretch);
    float shown = glm::smoothstep(kSootShowsFrom * 0.5f, kSootShowsFrom * 1.5f, lived) *
                  glm::smoothstep(kSootShowsAbove, kSootShowsAbove + 20.0f, rise) *
                  (1.0f - glm::smoothstep(kSootFadesFrom, kSootGoneAt, rise));
    sprite.colour = {glm::vec3(p.colour), p.colour.a * shown};
    return sprite;
}

ParticleSprite FlameHalo(const glm::vec3& emitter, const glm::vec3& colour, float meanRise, float flare) {
    ParticleSprite sprite;
    sprite.centre = emitter + glm::vec3(0, meanRise, 0);
    sprite.halfWidth = 1.6f * meanRise + 12.0f;
    sprite.halfLength = {0, sprite.halfWidth};
    sprite.colour = {glm::mix(colour, kWhiteHot, 0.25f) * Steadied(flare), 0.6f};
    return sprite;
}

LightSpill FlameSpill(const glm::vec3& emitter, const glm::vec3& colour, float meanRise, float flare) {
    float halfWidth = 3.0f * meanRise + 35.0f;
    return {emitter + glm::vec3(0, meanRise, 0), {halfWidth, halfWidth * 0.8f}, colour * (flare * 0.06f)};
}

}  // namespace engine

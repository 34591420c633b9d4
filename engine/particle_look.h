// How a particle looks on the screen, apart from how it moves: burning gas or soot.
//
// Burning gas is a flame's body: white-hot where it is young, in its own colour as it
// rises, fading to nothing at the end of its life and narrowing as it goes, so that many
// of them added together make a teardrop with a bright core. The flame sways as a whole,
// the more the higher a particle has risen. Soot is a particle born dark and neutral
// (equal red, green and blue, none above half): it keeps its colour, stretches along its
// way and is carried sideways by a slow draught that changes with height and time, so
// that a stream of it reads as a thin curling wisp.
#pragma once
#include <glm/glm.hpp>

#include "engine/particle_simulation.h"

namespace engine {

// A textured rectangle facing the camera: its middle, half its extent along its length
// (a vector in the camera's x and y) and half its width, and its colour.
struct ParticleSprite {
    glm::vec3 centre{0};
    glm::vec2 halfLength{0, 0};
    float halfWidth = 0;
    glm::vec4 colour{0};
};

bool IsSoot(const glm::vec4& birthColour);

// The burning particle as drawn at this moment of its system's clock (seconds), flaring
// by flare (the flame's flicker, 1 full).
ParticleSprite BurningSprite(const Particle& p, const glm::vec3& emitter, float clock, float flare);

// The soot particle as drawn at this moment of its system's clock: it spreads evenly from
// its birth size as it ages.
ParticleSprite SootSprite(const Particle& p, const glm::vec3& emitter, float clock, const ParticleSettings& system);

// The soft light round a flame whose burning particles reach this high above the
// emitter on average: one wide, faint sprite over its lower half.
ParticleSprite FlameHalo(const glm::vec3& emitter, const glm::vec3& colour, float meanRise, float flare);

// The faint light of a flame that spills out through a carving onto what holds it: a
// soft disc on the screen round a place in the world, added to whatever is drawn there.
// No colour, no spill.
struct LightSpill {
    glm::vec3 centre{0, 0, 1};
    glm::vec2 halfSize{1};
    glm::vec3 colour{0};
};

// That flame's spill: wider than its halo and fainter still.
LightSpill FlameSpill(const glm::vec3& emitter, const glm::vec3& colour, float meanRise, float flare);

}  // namespace engine

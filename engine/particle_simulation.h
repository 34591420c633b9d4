// The particle simulation, apart from drawing: births at the emitter at a steady rate,
// motion with speed and drag, the rise of hot gas, growth over life, death at the end of
// the life time.
#pragma once
#include <glm/glm.hpp>

#include <cstdint>
#include <functional>
#include <vector>

namespace engine {

struct Particle {
    glm::vec3 position{0};
    glm::vec3 velocity{0};
    // Upward speed gained from rising, apart from the particle's own velocity.
    float lift = 0;
    glm::vec4 colour{1};
    float size = 0;
    float age = 0;
    float life = 1;
    std::int32_t texture = 0;
};

struct ParticleSettings {
    int capacity = 0;
    float birthSize = 1;
    glm::vec3 emitter{0};
    std::int32_t texture = 0;
    float birthsPerSecond = 0;
    float growthAtBirth = 0;
    float growthAtDeath = 0;
    float speed = 1;
    float drag = 0;
    // Upward acceleration of every particle, world units per second squared.
    float rise = 0;
};

class ParticleSimulation {
public:
    // Fills in a newborn particle; it sees the particle as the system made it and may
    // change anything, the emitter included.
    using BirthHandler = std::function<void(Particle&)>;

    ParticleSettings settings;

    // Moves every living particle on by the given seconds, removes those whose life is
    // over, then gives birth to the particles due in that time while there is room.
    void Advance(float seconds, const BirthHandler& onBirth);
    const std::vector<Particle>& Particles() const { return particles_; }

private:
    std::vector<Particle> particles_;
    float birthsDue_ = 0;
};

}  // namespace engine

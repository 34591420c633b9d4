#include "engine/particle_simulation.h"

#include <algorithm>
#include <cmath>

namespace engine {

void ParticleSimulation::Advance(float seconds, const BirthHandler& onBirth) {
    // Drag is the share of velocity lost each hundredth of a second.
    float keep = std::pow(std::clamp(1.0f - settings.drag, 0.0f, 1.0f), seconds * 100.0f);
    for (Particle& p : particles_) {
        p.age += seconds;
        float lived = p.life > 0 ? std::min(p.age / p.life, 1.0f) : 1.0f;
        p.size = std::max(0.0f, p.size + seconds * (settings.growthAtBirth +
                                                    (settings.growthAtDeath - settings.growthAtBirth) * lived));
        p.lift += settings.rise * seconds;
        p.position += (p.velocity * settings.speed + glm::vec3(0, p.lift, 0)) * seconds;
        p.velocity *= keep;
        p.lift *= keep;
    }
    std::erase_if(particles_, [](const Particle& p) { return !(p.age < p.life); });

    // Births that find no room are lost, not saved up for a burst later.
    birthsDue_ = std::min(birthsDue_ + settings.birthsPerSecond * seconds,
                          static_cast<float>(settings.capacity) + 1.0f);
    while (birthsDue_ >= 1.0f) {
        birthsDue_ -= 1.0f;
        if (static_cast<int>(particles_.size()) >= settings.capacity) continue;
        Particle p;
        p.size = settings.birthSize;
        p.texture = settings.texture;
        onBirth(p);
        p.position = settings.emitter;
        particles_.push_back(p);
    }
}

}  // namespace engine

// What the meshes are drawn with: their materials, and the lights of the light engine and
// of glowing particle systems.
#pragma once
#include <glm/glm.hpp>

#include "engine/particle_look.h"

namespace engine {

struct Material {
    glm::vec4 ambient{0, 0, 0, 1};
    glm::vec4 diffuse{1, 1, 1, 1};
    glm::vec4 specular{0, 0, 0, 1};
    glm::vec4 emissive{0, 0, 0, 1};
    float power = 0;
};

struct PointLight {
    glm::vec3 position;
    glm::vec3 colour;
    float range;
};

struct DirectionalLight {
    glm::vec3 direction;
    glm::vec3 colour;
};

// What a glowing particle system sheds on the meshes round its emitter.
struct ParticleGlow {
    PointLight light;
    LightSpill spill;
};

}  // namespace engine

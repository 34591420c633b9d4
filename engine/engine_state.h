// What every engine object shares: the one display, the textures, materials and lights
// known by id, and the scene-wide settings the meshes are drawn with.
#pragma once
#include <glm/glm.hpp>

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "engine/display.h"
#include "engine/particle_look.h"
#include "engine/textures.h"

namespace engine {

class MeshRenderer;
class SpriteRenderer;

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

// The shader programs live as long as the GL context that holds them. Made and released in
// renderers.cpp, the one file that sees the renderers' classes, so that their own files
// may include this header without a circle.
struct Renderers {
    Renderers();
    ~Renderers();
    std::unique_ptr<MeshRenderer> meshes;
    std::unique_ptr<SpriteRenderer> sprites;
};

struct EngineState {
    Display display;
    std::unique_ptr<Renderers> renderers;
    Textures textures;
    std::map<std::int32_t, Material> materials;
    std::int32_t nextMaterialId = 1;
    std::map<std::int32_t, PointLight> pointLights;
    std::map<std::int32_t, DirectionalLight> directionalLights;
    // The light each glowing particle system sheds on the meshes around its emitter, as
    // its last update left it.
    std::map<const void*, ParticleGlow> particleGlows;
    std::int32_t nextLightId = 1;
    std::string searchFolder;
    bool lighting = true;

    // Later loads by bare file name look in the search folder.
    std::string ResolvePath(const std::string& file) const;
    Renderers& RequireRenderers();
};

}  // namespace engine

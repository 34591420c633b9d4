// What every engine object shares: the one display, the textures, materials and lights
// known by id, and the scene-wide settings the meshes are drawn with.
#pragma once
#include <glm/glm.hpp>

#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "engine/display.h"
#include "engine/scene_lights.h"
#include "engine/textures.h"

namespace engine {

struct EngineState {
    Display display;
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
};

}  // namespace engine

// Every value a mesh draw gives its programs, gathered once from the pose, the material
// and the lights: the draw uploads each of them, and its redraw fingerprint takes in all
// their bytes, so that no input can change the picture without the redraw knowing.
#pragma once
#include <glm/glm.hpp>

#include <cstdint>
#include <map>

#include "engine/redraw_area.h"

namespace engine {

struct Material;
struct PointLight;
struct ParticleGlow;
struct DirectionalLight;

struct Lighting {
    bool enabled = true;
    const std::map<std::int32_t, PointLight>* pointLights = nullptr;
    const std::map<std::int32_t, DirectionalLight>* directionalLights = nullptr;
    const std::map<const void*, ParticleGlow>* particleGlows = nullptr;
};

// As many lights of each kind as one draw takes into account; the particles' glows
// count as point lights, after the light engine's.
constexpr int kMaxPointLights = 3;
constexpr int kMaxDirectionalLights = 2;

// Only four-byte members, so that the bytes the fingerprint reads hold no padding.
struct MeshDrawInputs {
    // What stands still while a candle flickers: the lens, the pose, the material and
    // where the lights are. Point lights inside the mesh's bounds light its inside.
    struct Steady {
        glm::mat4 projection{1};
        glm::mat4 model{1};
        // How wide a pixel at distance 1 is; above 0, the edges are smoothed.
        float pixelAtOne = 0;
        glm::vec3 ambientAndEmissive{0}, diffuse{0}, specular{0};
        float opacity = 1, power = 0;
        std::int32_t lit = 0;
        std::int32_t outerPoints = 0, innerPoints = 0, directionals = 0;
        // Each point light's place and the inverse of its range.
        glm::vec4 outerPointPlace[kMaxPointLights] = {}, innerPointPlace[kMaxPointLights] = {};
        glm::vec3 directionalToward[kMaxDirectionalLights] = {}, directionalColour[kMaxDirectionalLights] = {};
    } steady;
    // What the particle systems' glows change from frame to frame: the point lights'
    // colours and the light spilt through the carving (on the screen, at depth 1).
    struct Glowing {
        glm::vec3 outerPointColour[kMaxPointLights] = {}, innerPointColour[kMaxPointLights] = {};
        glm::vec2 spillCentre{0}, spillInverseHalfSize{0};
        glm::vec3 spillColour{0};
    } glowing;
};

// The inputs of a mesh whose bounding sphere (in its own coordinates) has this centre and
// radius.
MeshDrawInputs GatherMeshInputs(const glm::vec3& centre, float radius, const glm::mat4& model,
                                const Material& material, const Lighting& lighting, const glm::mat4& projection,
                                float pixelAtOne);

// A fingerprint of what the mesh is drawn with that stands still (see Change).
std::uint64_t SteadyFingerprint(const void* mesh, const MeshDrawInputs& inputs);
// A fingerprint of what flickers.
std::uint64_t GlowingFingerprint(const MeshDrawInputs& inputs);

}  // namespace engine

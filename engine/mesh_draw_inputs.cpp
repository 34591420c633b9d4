#include "engine/mesh_draw_inputs.h"

#include <algorithm>

#include "engine/scene_lights.h"

namespace engine {

namespace {

// A spill's centre and size are kept at least this far from zero (world units), so that
// one at the eye or of no size still gives the shader finite numbers.
constexpr float kNearestSpill = 1e-3f;

void GatherMaterial(const Material& material, bool lit, MeshDrawInputs::Steady& steady) {
    steady.ambientAndEmissive = glm::vec3(material.ambient) + glm::vec3(material.emissive);
    steady.diffuse = glm::vec3(material.diffuse);
    steady.opacity = material.diffuse.a;
    steady.specular = glm::vec3(material.specular);
    steady.power = material.power;
    steady.lit = lit ? 1 : 0;
}

// Each point light into the slots of the inside (within the mesh's bounds) or the outside.
// Lights at one place with one range light every pixel alike, so their colours add up in
// one slot (a flame's glow and its smoke's): each slot costs every pixel.
void AddPointLight(const PointLight& light, bool inside, MeshDrawInputs& inputs, int& points) {
    if (points == kMaxPointLights || !(light.range > 0)) return;
    ++points;
    std::int32_t& count = inside ? inputs.steady.innerPoints : inputs.steady.outerPoints;
    glm::vec4* places = inside ? inputs.steady.innerPointPlace : inputs.steady.outerPointPlace;
    glm::vec3* colours = inside ? inputs.glowing.innerPointColour : inputs.glowing.outerPointColour;
    glm::vec4 place(light.position, 1.0f / light.range);
    for (int i = 0; i < count; ++i)
        if (places[i] == place) {
            colours[i] += light.colour;
            return;
        }
    places[count] = place;
    colours[count++] = light.colour;
}

void GatherSpill(const LightSpill& spill, bool lit, MeshDrawInputs::Glowing& glowing) {
    float depth = std::max(spill.centre.z, kNearestSpill);
    glowing.spillCentre = glm::vec2(spill.centre) / depth;
    glowing.spillInverseHalfSize = depth / glm::max(spill.halfSize, glm::vec2(kNearestSpill));
    glowing.spillColour = lit ? spill.colour : glm::vec3(0);
}

}  // namespace

MeshDrawInputs GatherMeshInputs(const glm::vec3& centre, float radius, const glm::mat4& model,
                                const Material& material, const Lighting& lighting, const glm::mat4& projection,
                                float pixelAtOne) {
    MeshDrawInputs inputs;
    inputs.steady.projection = projection;
    inputs.steady.model = model;
    inputs.steady.pixelAtOne = pixelAtOne;
    GatherMaterial(material, lighting.enabled, inputs.steady);
    glm::vec3 placedCentre(model * glm::vec4(centre, 1));
    float placedRadius = radius * std::max({glm::length(glm::vec3(model[0])), glm::length(glm::vec3(model[1])),
                                            glm::length(glm::vec3(model[2]))});
    int points = 0;
    auto addPoint = [&](const PointLight& light) {
        AddPointLight(light, glm::length(light.position - placedCentre) < placedRadius, inputs, points);
    };
    for (const auto& [id, light] : *lighting.pointLights) addPoint(light);
    LightSpill spill;
    for (const auto& [system, glow] : *lighting.particleGlows) {
        addPoint(glow.light);
        // One spill a draw: a scene holds one candle.
        if (spill.colour == glm::vec3(0)) spill = glow.spill;
    }
    GatherSpill(spill, lighting.enabled, inputs.glowing);
    MeshDrawInputs::Steady& steady = inputs.steady;
    for (const auto& [id, light] : *lighting.directionalLights) {
        if (steady.directionals == kMaxDirectionalLights) break;
        if (glm::length(light.direction) > 0)
            steady.directionalToward[steady.directionals] = -glm::normalize(light.direction);
        steady.directionalColour[steady.directionals++] = light.colour;
    }
    return inputs;
}

std::uint64_t SteadyFingerprint(const void* mesh, const MeshDrawInputs& inputs) {
    return Fingerprint().Add(mesh).Add(inputs.steady).Value();
}

std::uint64_t GlowingFingerprint(const MeshDrawInputs& inputs) { return Fingerprint().Add(inputs.glowing).Value(); }

}  // namespace engine

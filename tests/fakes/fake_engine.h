// A recording engine: every operation goes to the journal as "Object.Operation(args)",
// every released object as "Release(Object)", and the scene it builds is held as the
// engine would draw it; a test scripts the input, the clock, the particle births and which
// operations fail.
#pragma once
#include <array>
#include <cstdint>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "saver/engine.h"

namespace saver {
std::ostream& operator<<(std::ostream& out, const Vector3& v);
}

namespace fakes {

struct EmittedParticle {
    std::string system;  // "Particle#1" (flame) or "Particle#2" (smoke)
    float velocX, velocY, velocZ;
    float colorR, colorG, colorB, colorA;
    float lifeTime;
    std::int32_t textureIndex;
};

// The scene as the engine holds it: what a frame is drawn from, whatever order it was
// built in. Objects are named as in the journal: Mesh#2, Particle#1 (flame), Particle#2.
struct HeldLight {
    saver::Vector3 at;  // a point light's position, a directional light's direction
    std::array<float, 3> colour{};
    float range = 0;  // none for a directional light
    bool operator==(const HeldLight&) const = default;
};

struct HeldMaterial {
    std::array<float, 4> ambient{}, diffuse{}, specular{}, emissive{};
    float power = 0;
    bool operator==(const HeldMaterial&) const = default;
};

struct HeldMesh {
    std::string model;
    saver::Vector3 scale, position, rotation;
    std::int32_t material = 0;
};

struct HeldParticles {
    std::int16_t count = 0;
    float size = 0;
    saver::Vector3 emitter;
    std::int32_t texture = 0;
    std::int32_t rate = 0;
    std::array<std::int32_t, 3> blending{};
    std::array<float, 2> growth{};  // at birth, at death
    float speed = 0, drag = 0;
    bool operator==(const HeldParticles&) const = default;
};

struct HeldTexture {
    std::string file;
    std::int32_t colorKey = 0;
};

struct HeldScene {
    Flag lighting = False;
    float farDistance = 0;
    std::vector<HeldLight> pointLights, directionalLights;
    std::map<std::int32_t, HeldMaterial> materials;
    std::map<std::string, HeldMesh> meshes;
    std::map<std::string, HeldParticles> particles;
    std::map<std::int32_t, HeldTexture> textures;
    // The objects not yet released, and those still there when the engine shut down.
    std::set<std::string> alive, aliveAtShutDown;
};

class FakeEngineObjects : public saver::EngineObjects {
public:
    // Operations that fail with RuntimeError, by bare name ("StartFullscreenDisplay") or
    // with their object ("Engine.ShowCursor"); "NewEngine" and the like make a factory fail.
    std::set<std::string> failing;

    std::int32_t mouseX = 0, mouseY = 0;
    Flag button1 = False;
    std::int32_t lastKey = 0;
    bool keyDown = false;
    float elapsedTime = 0.5f;

    // Particles born in each update; each goes through the system's NewParticle handler
    // starting from these values, and what the handler leaves is recorded.
    int particlesPerUpdate = 0;
    std::int32_t textureIndexGiven = 7;
    std::vector<EmittedParticle> emitted;

    // Normalising (0, 0, 0) gives not-a-number instead of the zero vector, as a careless
    // vector library would.
    bool normalizeZeroGivesNaN = false;

    // Whether the engine still holds a NewParticle handler, by system name.
    std::map<std::string, bool> handlerSet;

    HeldScene scene;

    std::shared_ptr<saver::Engine> NewEngine() override;
    std::shared_ptr<saver::LightEngine> NewLightEngine() override;
    std::shared_ptr<saver::Scene> NewScene() override;
    std::shared_ptr<saver::Input> NewInput() override;
    std::shared_ptr<saver::Mesh> NewMesh() override;
    std::shared_ptr<saver::MaterialFactory> NewMaterialFactory() override;
    std::shared_ptr<saver::TextureFactory> NewTextureFactory() override;
    std::shared_ptr<saver::ParticleSystem> NewParticleSystem() override;
    std::shared_ptr<saver::Draw2D> NewDraw2D() override;
    std::shared_ptr<saver::View> NewView() override;
    saver::Utility& Globals() override;
    saver::VectorMath& Math() override;

    // Logs the call and fails it when the test asked for that.
    void Record(const std::string& object, const std::string& operation, const std::string& call);
    std::int32_t TextureIdOf(const std::string& name) const;
    std::int32_t AddTexture(const std::string& name, HeldTexture texture);

private:
    int meshes_ = 0;
    int particleSystems_ = 0;
    std::map<std::string, std::int32_t> textures_;
};

// Installs a fresh fake engine.
FakeEngineObjects& InstallFakeEngine();

}  // namespace fakes

// A recording engine: every operation goes to the journal as "Object.Operation(args)",
// every released object as "Release(Object)"; a test scripts the input, the clock, the
// particle births and which operations fail.
#pragma once
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
    std::int32_t AddTexture(const std::string& name);

private:
    int meshes_ = 0;
    int particleSystems_ = 0;
    std::map<std::string, std::int32_t> textures_;
};

// Installs a fresh fake engine.
FakeEngineObjects& InstallFakeEngine();

}  // namespace fakes

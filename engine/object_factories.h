// Makers of the engine's objects, each bound to the state all of them share.
#pragma once
#include <memory>

#include "engine/engine_state.h"
#include "scene/engine.h"

namespace engine {

using SharedState = std::shared_ptr<EngineState>;

std::shared_ptr<scene::Engine> MakeEngine(SharedState state);
std::shared_ptr<scene::LightEngine> MakeLightEngine(SharedState state);
std::shared_ptr<scene::Scene> MakeScene(SharedState state);
std::shared_ptr<scene::Input> MakeInput(SharedState state);
std::shared_ptr<scene::Mesh> MakeMesh(SharedState state);
std::shared_ptr<scene::MaterialFactory> MakeMaterialFactory(SharedState state);
std::shared_ptr<scene::TextureFactory> MakeTextureFactory(SharedState state);
std::shared_ptr<scene::ParticleSystem> MakeParticleSystem(SharedState state);
std::shared_ptr<scene::Draw2D> MakeDraw2D(SharedState state);
std::shared_ptr<scene::View> MakeView(SharedState state);

// What a scene needs of its meshes to draw them.
class DrawableMesh {
public:
    virtual ~DrawableMesh() = default;
    virtual void Draw(EngineState& state) = 0;
};

}  // namespace engine

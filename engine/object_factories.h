// Makers of the engine's objects, each bound to the state all of them share.
#pragma once
#include <memory>

#include "engine/engine_state.h"
#include "saver/engine.h"

namespace engine {

using SharedState = std::shared_ptr<EngineState>;

std::shared_ptr<saver::Engine> MakeEngine(SharedState state);
std::shared_ptr<saver::LightEngine> MakeLightEngine(SharedState state);
std::shared_ptr<saver::Scene> MakeScene(SharedState state);
std::shared_ptr<saver::Input> MakeInput(SharedState state);
std::shared_ptr<saver::Mesh> MakeMesh(SharedState state);
std::shared_ptr<saver::MaterialFactory> MakeMaterialFactory(SharedState state);
std::shared_ptr<saver::TextureFactory> MakeTextureFactory(SharedState state);
std::shared_ptr<saver::ParticleSystem> MakeParticleSystem(SharedState state);
std::shared_ptr<saver::Draw2D> MakeDraw2D(SharedState state);
std::shared_ptr<saver::View> MakeView(SharedState state);

// What a scene needs of its meshes to draw them.
class DrawableMesh {
public:
    virtual ~DrawableMesh() = default;
    virtual void Draw(EngineState& state, bool depthTested) = 0;
};

}  // namespace engine

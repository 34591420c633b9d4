// The saver's scene built through the engine interface with exactly the set-up's values
// (lights, material, pose, both particle systems with handlers like the emitters'), for
// the render check and the benchmark, which drive frames themselves.
#pragma once
#include <memory>
#include <random>
#include <string>

#include "saver/engine.h"

namespace enginetest {

struct CandleSettings {
    std::int16_t flameCount = 140;   // candle height 10
    float flameLife = 2.4f;          // candle height 10
    float brightness = 200.0f;       // the torch's range
    float r = 1.0f, g = 54 / 255.0f, b = 2 / 255.0f;  // "145151"
};

class CandleScene {
public:
    // Starts the display in the window and builds the scene from the media folder's
    // kelvora.3ds and smoke.bmp.
    CandleScene(saver::EngineObjects& engines, saver::WindowHandle window, const std::string& mediaFolder,
                bool vsync, const CandleSettings& settings = {});
    ~CandleScene();

    // One pass of the frame loop without its present: clear, meshes, both systems.
    void Draw(bool withParticles = true);
    void Present();
    saver::Engine& Engine() { return *engine_; }

private:
    saver::EngineObjects& engines_;
    CandleSettings settings_;
    std::mt19937 random_;
    std::shared_ptr<saver::Engine> engine_;
    std::shared_ptr<saver::LightEngine> lights_;
    std::shared_ptr<saver::Scene> scene_;
    std::shared_ptr<saver::Mesh> mesh_;
    std::shared_ptr<saver::MaterialFactory> materials_;
    std::shared_ptr<saver::TextureFactory> textures_;
    std::shared_ptr<saver::ParticleSystem> flame_, smoke_;
    std::shared_ptr<saver::View> view_;
};

}  // namespace enginetest

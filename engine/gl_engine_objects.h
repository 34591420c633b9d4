// Our OpenGL engine as the products install it: scene::UseEngineObjects(engines).
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "scene/engine.h"

namespace engine {

struct EngineState;

class GlEngineObjects : public scene::EngineObjects {
public:
    GlEngineObjects();
    ~GlEngineObjects() override;

    std::shared_ptr<scene::Engine> NewEngine() override;
    std::shared_ptr<scene::LightEngine> NewLightEngine() override;
    std::shared_ptr<scene::Scene> NewScene() override;
    std::shared_ptr<scene::Input> NewInput() override;
    std::shared_ptr<scene::Mesh> NewMesh() override;
    std::shared_ptr<scene::MaterialFactory> NewMaterialFactory() override;
    std::shared_ptr<scene::TextureFactory> NewTextureFactory() override;
    std::shared_ptr<scene::ParticleSystem> NewParticleSystem() override;
    std::shared_ptr<scene::Draw2D> NewDraw2D() override;
    std::shared_ptr<scene::View> NewView() override;
    scene::Utility& Globals() override;
    scene::VectorMath& Math() override;

    // The frame drawn so far, before it is presented: display width x height, rows from
    // the top, RGBA. For tests and the tools that render stills.
    std::vector<std::uint8_t> ReadFramePixels();
    // Presents the frame and gives what the window then shows, rows from the top, RGBA.
    std::vector<std::uint8_t> PresentAndReadWindow(int& width, int& height);

private:
    std::shared_ptr<EngineState> state_;
    std::unique_ptr<scene::Utility> utility_;
    std::unique_ptr<scene::VectorMath> math_;
};

}  // namespace engine

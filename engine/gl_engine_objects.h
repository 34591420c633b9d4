// Our OpenGL engine as the products install it: saver::Engines.Install(engines).
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "saver/engine.h"

namespace engine {

struct EngineState;

class GlEngineObjects : public saver::EngineObjects {
public:
    GlEngineObjects();
    ~GlEngineObjects() override;

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

    // The frame drawn so far, before it is presented: display width x height, rows from
    // the top, RGBA. For tests and the tools that render stills.
    std::vector<std::uint8_t> ReadFramePixels();
    // The next frame is drawn whole, however little changes: to compare with frames drawn
    // a part at a time.
    void RedrawWhole();
    // Presents the frame and gives what the window then shows, rows from the top, RGBA.
    std::vector<std::uint8_t> PresentAndReadWindow(int& width, int& height);

private:
    std::shared_ptr<EngineState> state_;
    std::unique_ptr<saver::Utility> utility_;
    std::unique_ptr<saver::VectorMath> math_;
};

}  // namespace engine

#include "engine/gl_engine_objects.h"

#include <cmath>

#include "engine/object_factories.h"

namespace engine {

namespace {

class GlUtility : public saver::Utility {
public:
    explicit GlUtility(SharedState state) : state_(std::move(state)) {}
    std::int32_t GetTextureId(const std::string& name) override { return state_->textures.IdOf(name); }

private:
    SharedState state_;
};

class GlVectorMath : public saver::VectorMath {
public:
    saver::Vector3 Normalize(const saver::Vector3& v) override {
        double length = std::sqrt(double(v.x) * v.x + double(v.y) * v.y + double(v.z) * v.z);
        if (!(length > 0) || !std::isfinite(length)) return {0, 0, 0};
        return {float(v.x / length), float(v.y / length), float(v.z / length)};
    }
    saver::Vector3 Scale(const saver::Vector3& v, float factor) override {
        return {v.x * factor, v.y * factor, v.z * factor};
    }
};

}  // namespace

GlEngineObjects::GlEngineObjects()
    : state_(std::make_shared<EngineState>()),
      utility_(std::make_unique<GlUtility>(state_)),
      math_(std::make_unique<GlVectorMath>()) {}

GlEngineObjects::~GlEngineObjects() = default;

std::shared_ptr<saver::Engine> GlEngineObjects::NewEngine() { return MakeEngine(state_); }
std::shared_ptr<saver::LightEngine> GlEngineObjects::NewLightEngine() { return MakeLightEngine(state_); }
std::shared_ptr<saver::Scene> GlEngineObjects::NewScene() { return MakeScene(state_); }
std::shared_ptr<saver::Input> GlEngineObjects::NewInput() { return MakeInput(state_); }
std::shared_ptr<saver::Mesh> GlEngineObjects::NewMesh() { return MakeMesh(state_); }
std::shared_ptr<saver::MaterialFactory> GlEngineObjects::NewMaterialFactory() { return MakeMaterialFactory(state_); }
std::shared_ptr<saver::TextureFactory> GlEngineObjects::NewTextureFactory() { return MakeTextureFactory(state_); }
std::shared_ptr<saver::ParticleSystem> GlEngineObjects::NewParticleSystem() { return MakeParticleSystem(state_); }
std::shared_ptr<saver::Draw2D> GlEngineObjects::NewDraw2D() { return MakeDraw2D(state_); }
std::shared_ptr<saver::View> GlEngineObjects::NewView() { return MakeView(state_); }
saver::Utility& GlEngineObjects::Globals() { return *utility_; }
saver::VectorMath& GlEngineObjects::Math() { return *math_; }

std::vector<std::uint8_t> GlEngineObjects::ReadFramePixels() { return state_->display.ReadPixels(); }

void GlEngineObjects::RedrawWhole() { state_->display.RedrawWhole(); }

std::vector<std::uint8_t> GlEngineObjects::PresentAndReadWindow(int& width, int& height) {
    Display::WindowPixels shown;
    state_->display.Present(&shown);
    width = shown.width;
    height = shown.height;
    return std::move(shown.rgba);
}

}  // namespace engine

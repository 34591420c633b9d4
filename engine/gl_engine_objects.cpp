#include "engine/gl_engine_objects.h"

#include <cmath>

#include "engine/object_factories.h"

namespace engine {

namespace {

class GlUtility : public scene::Utility {
public:
    explicit GlUtility(SharedState state) : state_(std::move(state)) {}
    std::int32_t GetTextureId(const std::string& name) override { return state_->textures.IdOf(name); }
    scene::Vector3 LightVector(float x, float y, float z) override { return {x, y, z}; }
    scene::Vector3 EmitterVector(float x, float y, float z) override { return {x, y, z}; }
    scene::Vector3 MeshVector(float x, float y, float z) override { return {x, y, z}; }
    scene::Vector3 CameraVector(float x, float y, float z) override { return {x, y, z}; }

private:
    SharedState state_;
};

class GlVectorMath : public scene::VectorMath {
public:
    scene::Vector3 Normalize(const scene::Vector3& v) override {
        double length = std::sqrt(double(v.x) * v.x + double(v.y) * v.y + double(v.z) * v.z);
        if (!(length > 0) || !std::isfinite(length)) return {0, 0, 0};
        return {float(v.x / length), float(v.y / length), float(v.z / length)};
    }
    scene::Vector3 Scale(const scene::Vector3& v, float factor) override {
        return {v.x * factor, v.y * factor, v.z * factor};
    }
};

}  // namespace

GlEngineObjects::GlEngineObjects()
    : state_(std::make_shared<EngineState>()),
      utility_(std::make_unique<GlUtility>(state_)),
      math_(std::make_unique<GlVectorMath>()) {}

GlEngineObjects::~GlEngineObjects() = default;

std::shared_ptr<scene::Engine> GlEngineObjects::NewEngine() { return MakeEngine(state_); }
std::shared_ptr<scene::LightEngine> GlEngineObjects::NewLightEngine() { return MakeLightEngine(state_); }
std::shared_ptr<scene::Scene> GlEngineObjects::NewScene() { return MakeScene(state_); }
std::shared_ptr<scene::Input> GlEngineObjects::NewInput() { return MakeInput(state_); }
std::shared_ptr<scene::Mesh> GlEngineObjects::NewMesh() { return MakeMesh(state_); }
std::shared_ptr<scene::MaterialFactory> GlEngineObjects::NewMaterialFactory() { return MakeMaterialFactory(state_); }
std::shared_ptr<scene::TextureFactory> GlEngineObjects::NewTextureFactory() { return MakeTextureFactory(state_); }
std::shared_ptr<scene::ParticleSystem> GlEngineObjects::NewParticleSystem() { return MakeParticleSystem(state_); }
std::shared_ptr<scene::Draw2D> GlEngineObjects::NewDraw2D() { return MakeDraw2D(state_); }
std::shared_ptr<scene::View> GlEngineObjects::NewView() { return MakeView(state_); }
scene::Utility& GlEngineObjects::Globals() { return *utility_; }
scene::VectorMath& GlEngineObjects::Math() { return *math_; }

std::vector<std::uint8_t> GlEngineObjects::ReadFramePixels() { return state_->display.ReadPixels(); }

std::vector<std::uint8_t> GlEngineObjects::PresentAndReadWindow(int& width, int& height) {
    Display::WindowPixels shown;
    state_->display.Present(&shown);
    width = shown.width;
    height = shown.height;
    return std::move(shown.rgba);
}

}  // namespace engine

// The light engine: point and directional lights known by id.
#include "common/runtime_error.h"
#include "engine/mesh_draw_inputs.h"
#include "engine/object_factories.h"

namespace engine {

namespace {

class GlLightEngine : public saver::LightEngine {
public:
    explicit GlLightEngine(SharedState state) : state_(std::move(state)) {}

    std::int32_t CreatePointLight(const saver::Vector3& position, float r, float g, float b, float range,
                                  const std::string&, std::int32_t) override {
        RequireRoom(state_->pointLights.size(), kMaxPointLights);
        std::int32_t id = state_->nextLightId++;
        state_->pointLights[id] = {{position.x, position.y, position.z}, {r, g, b}, range};
        return id;
    }

    std::int32_t CreateDirectionalLight(const saver::Vector3& direction, float r, float g, float b,
                                        const std::string&, std::int32_t) override {
        RequireRoom(state_->directionalLights.size(), kMaxDirectionalLights);
        std::int32_t id = state_->nextLightId++;
        state_->directionalLights[id] = {{direction.x, direction.y, direction.z}, {r, g, b}};
        return id;
    }

    void CleanUp() override {
        state_->pointLights.clear();
        state_->directionalLights.clear();
    }

private:
    static void RequireRoom(std::size_t lightsOfKind, int most) {
        if (lightsOfKind >= static_cast<std::size_t>(most))
            throw RuntimeError(ErrorCode::Overflow, "no more lights of that kind can be made");
    }

    SharedState state_;
};

}  // namespace

std::shared_ptr<saver::LightEngine> MakeLightEngine(SharedState state) {
    return std::make_shared<GlLightEngine>(std::move(state));
}

}  // namespace engine

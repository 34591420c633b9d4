// The material factory: materials known by id, each forgotten by the factory that made it.
#include <set>

#include "common/runtime_error.h"
#include "engine/object_factories.h"

namespace engine {

namespace {

class GlMaterialFactory : public saver::MaterialFactory {
public:
    explicit GlMaterialFactory(SharedState state) : state_(std::move(state)) {}

    std::int32_t CreateMaterial(const std::string&) override {
        std::int32_t id = state_->nextMaterialId++;
        state_->materials[id] = Material{};
        made_.insert(id);
        return id;
    }
    void SetAmbient(std::int32_t id, float r, float g, float b, float a) override { Find(id).ambient = {r, g, b, a}; }
    void SetDiffuse(std::int32_t id, float r, float g, float b, float a) override { Find(id).diffuse = {r, g, b, a}; }
    void SetSpecular(std::int32_t id, float r, float g, float b, float a) override { Find(id).specular = {r, g, b, a}; }
    void SetEmissive(std::int32_t id, float r, float g, float b, float a) override { Find(id).emissive = {r, g, b, a}; }
    void SetPower(std::int32_t id, float specularPower) override { Find(id).power = specularPower; }

    void CleanUp() override {
        for (std::int32_t id : made_) state_->materials.erase(id);
        made_.clear();
    }

private:
    Material& Find(std::int32_t id) {
        auto found = state_->materials.find(id);
        if (found == state_->materials.end())
            throw RuntimeError(ErrorCode::InvalidArgument, "no material with id " + std::to_string(id));
        return found->second;
    }

    SharedState state_;
    std::set<std::int32_t> made_;
};

}  // namespace

std::shared_ptr<saver::MaterialFactory> MakeMaterialFactory(SharedState state) {
    return std::make_shared<GlMaterialFactory>(std::move(state));
}

}  // namespace engine

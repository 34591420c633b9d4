// The mesh object: a 3DS model with its pose and material.
#include <glm/gtc/matrix_transform.hpp>

#include "common/runtime_error.h"
#include "engine/mesh_renderer.h"
#include "engine/model_3ds.h"
#include "engine/object_factories.h"

namespace engine {

namespace {

// How wide a pixel of the picture is at distance 1, where the mesh's edges are to be
// smoothed; 0 where multisampling smooths them already.
float EdgeSmoothing(const Display& display) {
    if (display.Multisampled() || display.Height() <= 0) return 0;
    return 2.0f / (display.Projection()[1][1] * static_cast<float>(display.Height()));
}

class ModelMesh : public saver::Mesh, public DrawableMesh {
public:
    explicit ModelMesh(SharedState state) : state_(std::move(state)) {}

    void LoadModel3DS(const std::string& file, std::int32_t group, Flag textureCoords, Flag smoothing,
                      Flag computeNormals, Flag keepOrigin) override {
        // The whole file always becomes the mesh's one group; the file's texture
        // coordinates are read but no mesh is textured, so that flag changes nothing.
        (void)textureCoords;
        if (group != 0) throw RuntimeError(ErrorCode::InvalidArgument, "a model loads only as group 0");
        state_->display.RequireRunning();
        Model3ds model = Read3dsFile(state_->ResolvePath(file));
        GeometryOptions options{smoothing != 0, computeNormals != 0, keepOrigin != 0};
        geometry_ = std::make_unique<GpuMesh>(state_->display.Layer(), BuildTriangles(model, options));
    }

    void SetScale(float x, float y, float z) override { scale_ = {x, y, z}; }
    void SetPosition(float x, float y, float z) override { position_ = {x, y, z}; }
    void SetRotation(float x, float y, float z) override { rotation_ = {x, y, z}; }

    void SetMaterial(std::int32_t materialId, std::int32_t group) override {
        if (group != -1 && group != 0)
            throw RuntimeError(ErrorCode::InvalidArgument, "the mesh has only group 0");
        if (!state_->materials.count(materialId))
            throw RuntimeError(ErrorCode::InvalidArgument, "no material with id " + std::to_string(materialId));
        materialId_ = materialId;
    }

    void Draw(EngineState& state, bool depthTested) override {
        if (!geometry_) return;
        // Degrees about x, then y, then z; then the scale is placed and moved.
        glm::mat4 model = glm::translate(glm::mat4(1), position_);
        model = glm::rotate(model, glm::radians(rotation_.z), {0, 0, 1});
        model = glm::rotate(model, glm::radians(rotation_.y), {0, 1, 0});
        model = glm::rotate(model, glm::radians(rotation_.x), {1, 0, 0});
        model = glm::scale(model, scale_);
        auto material = state.materials.find(materialId_);
        Lighting lighting{state.lighting, &state.pointLights, &state.directionalLights, &state.particleGlows};
        DrawMesh(state.display, *geometry_, model, material != state.materials.end() ? material->second : Material{},
                 lighting, EdgeSmoothing(state.display), depthTested);
    }

private:
    SharedState state_;
    std::unique_ptr<GpuMesh> geometry_;
    glm::vec3 scale_{1}, position_{0}, rotation_{0};
    std::int32_t materialId_ = 0;
};

}  // namespace

std::shared_ptr<saver::Mesh> MakeMesh(SharedState state) { return std::make_shared<ModelMesh>(std::move(state)); }

}  // namespace engine

// The scene object: the meshes it made, drawn together, and the scene-wide settings.
#include <vector>

#include "engine/object_factories.h"

namespace engine {

namespace {

class GlScene : public saver::Scene {
public:
    explicit GlScene(SharedState state) : state_(std::move(state)) {}

    void SetLighting(Flag enabled) override { state_->lighting = enabled != 0; }
    // The colour of the bars beside the picture when its aspect is kept.
    void SetBackgroundColor(float r, float g, float b) override { state_->display.SetBarColour({r, g, b}); }

    std::shared_ptr<saver::Mesh> CreateMesh(const std::string&) override {
        auto mesh = MakeMesh(state_);
        meshes_.push_back(std::dynamic_pointer_cast<DrawableMesh>(mesh));
        return mesh;
    }

    void RenderAllMeshes(Flag depthTest) override {
        state_->display.RequireRunning();
        // A mesh its owners have all dropped is no longer drawn.
        std::erase_if(meshes_, [](const std::weak_ptr<DrawableMesh>& mesh) { return mesh.expired(); });
        for (const auto& weak : meshes_)
            if (auto mesh = weak.lock()) mesh->Draw(*state_, depthTest != 0);
    }

private:
    SharedState state_;
    std::vector<std::weak_ptr<DrawableMesh>> meshes_;
};

}  // namespace

std::shared_ptr<saver::Scene> MakeScene(SharedState state) { return std::make_shared<GlScene>(std::move(state)); }

}  // namespace engine

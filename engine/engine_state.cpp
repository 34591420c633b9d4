#include "engine/engine_state.h"

#include "engine/mesh_renderer.h"
#include "engine/sprite_renderer.h"

namespace engine {

Renderers::Renderers()
    : meshes(std::make_unique<MeshRenderer>()), sprites(std::make_unique<SpriteRenderer>()) {}

Renderers::~Renderers() = default;

std::string EngineState::ResolvePath(const std::string& file) const {
    bool bare = file.find_first_of("/\\") == std::string::npos;
    if (!bare || searchFolder.empty()) return file;
    char last = searchFolder.back();
    return searchFolder + (last == '/' || last == '\\' ? "" : "/") + file;
}

Renderers& EngineState::RequireRenderers() {
    display.RequireRunning();
    return *renderers;
}

}  // namespace engine

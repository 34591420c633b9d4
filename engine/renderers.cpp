// The renderers that hold the shader programs, made and released where their classes are
// seen.
#include "engine/engine_state.h"
#include "engine/mesh_renderer.h"
#include "engine/sprite_renderer.h"

namespace engine {

Renderers::Renderers()
    : meshes(std::make_unique<MeshRenderer>()), sprites(std::make_unique<SpriteRenderer>()) {}

Renderers::~Renderers() = default;

}  // namespace engine

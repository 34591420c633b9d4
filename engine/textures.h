// The textures the engine has loaded, held by the drawing layer, known by id and by name.
#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <string>

#include "engine/drawing_layer.h"

namespace engine {

struct TextureRequest {
    std::string path;
    std::string name;
    // -1 keeps the picture's own size.
    int width = -1;
    int height = -1;
    // 0 keys out nothing.
    std::uint32_t colorKey = 0;
    bool smoothFilter = true;
    bool mipmaps = true;
};

class Textures {
public:
    // A name already in use gets the new picture under a new id.
    std::int32_t Load(const TextureRequest& request, DrawingLayer& layer);
    std::int32_t IdOf(const std::string& name) const;
    const LayerTexture& Find(std::int32_t id) const;
    // Lets every texture go; the layer is about to.
    void Clear();

private:
    std::map<std::int32_t, std::unique_ptr<LayerTexture>> textures_;
    std::map<std::string, std::int32_t> ids_;
    std::int32_t nextId_ = 1;
};

}  // namespace engine

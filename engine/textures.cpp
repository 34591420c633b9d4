#include "engine/textures.h"

#include <algorithm>

#include "common/runtime_error.h"
#include "engine/picture.h"

namespace engine {

std::int32_t Textures::Load(const TextureRequest& request, DrawingLayer& layer) {
    if (request.width == 0 || request.height == 0 || request.width < -1 || request.height < -1)
        throw RuntimeError(ErrorCode::InvalidArgument, "texture size out of range");
    Picture picture = ReadPictureFile(request.path, layer.LargestTexture());
    if (request.width > 0 || request.height > 0)
        picture = Resized(picture, request.width > 0 ? request.width : picture.width,
                          request.height > 0 ? request.height : picture.height);
    if (request.colorKey != 0) KeyOut(picture, request.colorKey);
    std::int32_t id = nextId_++;
    textures_[id] = layer.MakeTexture(picture, request.smoothFilter, request.mipmaps);
    ids_[request.name] = id;
    return id;
}

std::int32_t Textures::IdOf(const std::string& name) const {
    auto found = ids_.find(name);
    if (found == ids_.end()) throw RuntimeError(ErrorCode::InvalidArgument, "no texture named \"" + name + "\"");
    return found->second;
}

const LayerTexture& Textures::Find(std::int32_t id) const {
    auto found = textures_.find(id);
    if (found == textures_.end())
        throw RuntimeError(ErrorCode::InvalidArgument, "no texture with id " + std::to_string(id));
    return *found->second;
}

void Textures::Clear() {
    textures_.clear();
    ids_.clear();
}

}  // namespace engine

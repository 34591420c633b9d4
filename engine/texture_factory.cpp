// The texture factory: loads pictures into the shared texture table.
#include "engine/object_factories.h"

namespace engine {

namespace {

class GlTextureFactory : public saver::TextureFactory {
public:
    explicit GlTextureFactory(SharedState state) : state_(std::move(state)) {}

    std::int32_t LoadTexture(const std::string& file, const std::string& name, std::int32_t width,
                             std::int32_t height, std::int32_t colorKey, Flag smoothFilter,
                             Flag mipmaps) override {
        DrawingLayer& layer = state_->display.Layer();
        return state_->textures.Load({state_->ResolvePath(file), name, width, height,
                                      static_cast<std::uint32_t>(colorKey), smoothFilter != 0, mipmaps != 0},
                                     layer);
    }

private:
    SharedState state_;
};

}  // namespace

std::shared_ptr<saver::TextureFactory> MakeTextureFactory(SharedState state) {
    return std::make_shared<GlTextureFactory>(std::move(state));
}

}  // namespace engine

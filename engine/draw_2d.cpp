// The 2D drawing object: a texture into a rectangle of display pixels, over the frame.
#include "common/color_bytes.h"
#include "engine/object_factories.h"
#include "engine/sprite_renderer.h"

namespace engine {

namespace {

// 0xAARRGGBB; -2 (0xFFFFFFFE) stands for white like -1, so the texture shows unchanged.
glm::vec4 CornerColour(std::int32_t argb) {
    std::uint32_t packed = static_cast<std::uint32_t>(argb);
    if (packed == 0xFFFFFFFEu) packed = 0xFFFFFFFFu;
    ColorBytes c = UnpackColor(packed, ColorLayout::RedHigh);
    return glm::vec4(c.red, c.green, c.blue, c.alpha) / 255.0f;
}

class GlDraw2D : public saver::Draw2D {
public:
    explicit GlDraw2D(SharedState state) : state_(std::move(state)) {}

    // Corner colours: 1 top left, 2 top right, 3 bottom left, 4 bottom right.
    void DrawTexture(std::int32_t textureId, float x1, float y1, float x2, float y2, std::int32_t color1,
                     std::int32_t color2, std::int32_t color3, std::int32_t color4, float u1, float v1,
                     float u2, float v2) override {
        state_->display.RequireRunning();
        SpriteDraw how;
        how.texture = &state_->textures.Find(textureId);
        how.projection = state_->display.PixelProjection();
        SpriteVertex topLeft{{x1, y1, 0}, {u1, v1}, CornerColour(color1)};
        SpriteVertex topRight{{x2, y1, 0}, {u2, v1}, CornerColour(color2)};
        SpriteVertex bottomLeft{{x1, y2, 0}, {u1, v2}, CornerColour(color3)};
        SpriteVertex bottomRight{{x2, y2, 0}, {u2, v2}, CornerColour(color4)};
        SpriteVertex triangles[] = {topLeft, topRight, bottomRight, topLeft, bottomRight, bottomLeft};
        DrawSprites(state_->display, triangles, 6, how);
    }

private:
    SharedState state_;
};

}  // namespace

std::shared_ptr<saver::Draw2D> MakeDraw2D(SharedState state) { return std::make_shared<GlDraw2D>(std::move(state)); }

}  // namespace engine

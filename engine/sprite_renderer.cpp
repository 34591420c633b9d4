#include "engine/sprite_renderer.h"

#include "engine/redraw_area.h"

namespace engine {

void DrawSprites(Display& display, const SpriteVertex* triangles, std::size_t count, const SpriteDraw& how) {
    if (count == 0) return;
    Change landing;
    for (std::size_t i = 0; i < count; ++i) landing.box.AddProjected(how.projection, triangles[i].position);
    display.Drawing(landing);
    display.Layer().DrawSprites(triangles, count, how);
}

}  // namespace engine

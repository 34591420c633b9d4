// Draws textured, coloured triangles through the drawing layer: the 2D pictures, the
// particles and the frame counter all go through it.
#pragma once
#include <cstddef>

#include "engine/display.h"
#include "engine/drawing_layer.h"

namespace engine {

// Into the display's picture, which is told where the triangles land: sprites move every
// frame.
void DrawSprites(Display& display, const SpriteVertex* triangles, std::size_t count, const SpriteDraw& how);

}  // namespace engine

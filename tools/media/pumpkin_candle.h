// The candle that stands inside the pumpkin: a short wax stub with a melted top and a
// wick, placed so that the wick's tip is just under where the saver's flame is born.
#pragma once
#include <glm/glm.hpp>

#include "mesh_builder.h"

namespace media::pumpkin {

// Adds the candle's faces in model coordinates (modelFromFront turns front-frame points
// into them), its surfaces numbered from firstSurfaceId on.
void AddCandle(MeshBuilder& builder, const glm::dmat3& modelFromFront, int firstSurfaceId);

}  // namespace media::pumpkin

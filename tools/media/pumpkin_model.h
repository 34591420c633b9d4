// Builds the carved pumpkin as one triangle mesh in model coordinates.
#pragma once
#include "mesh_builder.h"

namespace media {

Mesh BuildPumpkin();

}  // namespace media

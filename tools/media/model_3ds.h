// Writes a mesh as a 3D Studio (.3ds) file holding one named triangle-mesh object.
//
// Coordinates are written as the saver's engine uses them (left-handed, y up), not in
// 3D Studio's own z-up frame; front faces are clockwise seen from the front.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "mesh_builder.h"

namespace media {

std::vector<std::uint8_t> Model3ds(const Mesh& mesh, const std::string& objectName);

}  // namespace media

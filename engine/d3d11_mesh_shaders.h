// The Direct3D 11 layer's mesh shaders in HLSL (see engine/d3d11_mesh_shaders.cpp), and the
// constants they read, laid out as HLSL packs them: every array element and every group of
// a three-vector and a single on sixteen bytes of their own.
#pragma once
#include <glm/glm.hpp>

#include <cstdint>
#include <string>

namespace engine {

struct D3d11MeshConstants {
    glm::mat4 model, normalMatrix, projection;
    glm::vec3 ambientAndEmissive;
    float opacity;
    glm::vec3 diffuse;
    float power;
    glm::vec3 specular;
    std::int32_t lit;
    float towardsEye;
    // The rest of towardsEye's sixteen-byte row.
    float rowEnd[3];
    glm::vec4 outerPointPlace[3], outerPointColour[3], innerPointPlace[3], innerPointColour[3];
    glm::vec4 directionalToward[2], directionalColour[2];
    glm::vec2 spillCentre, spillInverseHalfSize;
    glm::vec3 spillColour;
    float unused;
};
static_assert(sizeof(D3d11MeshConstants) % 16 == 0, "a constant buffer is whole sixteen-byte rows");

// The HLSL of the faces (entry points FacesVertex and FacesPixel) or of the strips
// (StripsVertex and StripsPixel) for this many lights of each kind.
std::string D3d11MeshShaders(bool strips, int outerPoints, int innerPoints, int directionals);

}  // namespace engine

// The Direct3D 11 layer's mesh shaders in HLSL: the faces lit for every pixel and the
// smoothed edges lit at their corners, with the same light, roll-off and spill as the GL
// layer's programs (engine/gl_mesh_shaders.cpp), built for each mix of lights as those are.
#include "engine/d3d11_mesh_shaders.h"

#include <string>

namespace engine {

namespace {

// Laid out as D3d11MeshConstants is.
const char* const kConstants = R"(
cbuffer MeshInputs : register(b0) {
    float4x4 model;
    float4x4 normalMatrix;
    float4x4 projection;
    float3 ambientAndEmissive; float opacity;
    float3 diffuse; float power;
    float3 specular; int lit;
    float towardsEye;
    // Point lights outside the mesh's bounds light its outside and its inside, those within
    // its inside alone. xyz position, w 1 / range.
    float4 outerPointPlace[3];
    float4 outerPointColour[3];
    float4 innerPointPlace[3];
    float4 innerPointColour[3];
    float4 directionalToward[2];
    float4 directionalColour[2];
    // A flame's light spilled over the surface round it, as seen from the eye.
    float2 spillCentre; float2 spillInverseHalfSize;
    float3 spillColour; float unused;
};
)";

// The light a surface point shows, as in the GL layer's programs, written out as the
// statements of the shader that needs it, once for each light slot in use (I stands for
// the slot): the HLSL compiler of some Direct3D runtimes (Wine's, among them) calls no
// function of the shader's own, indexes no array by a loop's counter, and knows no sqrt,
// exp or ?:, which pow and if stand in for. p and n are the point in the world and its
// unit normal; the colour shown goes to shown.
const char* const kShownBegin = R"(
    float3 c = ambientAndEmissive;
    float3 shineColour = specular * lerp(float3(1.0, 1.0, 1.0), float3(1.0, 0.8, 0.55), 0.6);
    float3 toEye = normalize(-p);
    float3 toLight, light, halfway;
    float reach, facing, share, shine, nearness;
    if (outsideFacing > 0.0) {
)";

// Blinn's shine as tight as Phong's would be with the material's power, in three squarings.
const char* const kAddLight = R"(
        if (facing > 0.0) {
            shine = max(1.0 - power * (1.0 - max(dot(n, halfway), 0.0)) * 0.5, 0.0);
            shine *= shine;
            shine *= shine;
            shine *= shine;
            if (power <= 0.0) shine = 0.0;
            c += light * (facing * diffuse + shineColour * shine);
        }
)";

const char* const kDirectionalSlot = R"(
        facing = dot(n, directionalToward[I].xyz);
        light = directionalColour[I].rgb;
        halfway = normalize(directionalToward[I].xyz + toEye);
)";

// Full at the light, nothing at or beyond its range.
const char* const kOuterPointSlot = R"(
        toLight = outerPointPlace[I].xyz - p;
        reach = length(toLight);
        toLight /= max(reach, 1e-6);
        facing = dot(n, toLight);
        share = saturate(1.0 - reach * outerPointPlace[I].w * reach * outerPointPlace[I].w);
        light = share * share * outerPointColour[I].rgb;
        halfway = normalize(toLight + toEye);
)";

const char* const kInside = R"(
    } else {
)";

// Light on the inside, from the light at PLACE of colour COLOUR: diffuse alone, wrapped
// round, fading as a small flame's does.
const char* const kGlowSlot = R"(
        toLight = PLACE[I].xyz - p;
        reach = length(toLight);
        facing = dot(n, toLight) / max(reach, 1e-6);
        nearness = 1.0 / (1.0 + reach * reach * (1.0 / 2500.0));
        share = saturate(1.0 - reach * PLACE[I].w * reach * PLACE[I].w);
        c += share * share * nearness * (0.45 + 0.55 * facing) * diffuse * COLOUR[I].rgb;
)";

// Rolled off softly towards full strength, encoded with gamma 2, and the spill added.
const char* const kShownEnd = R"(
    }
    float3 over = max(c - 0.45, 0.0);
    c = min(c, 0.45) + 0.55 * (1.0 - pow(2.718281828, -over / 0.55));
    float2 d = (p.xy / p.z - spillCentre) * spillInverseHalfSize;
    float r = min(length(d), 1.0);
    float spill = 1.0 - r * r * (3.0 - 2.0 * r);
    shown = pow(c, 0.5) + spillColour * (0.9 * spill * spill);
    if (lit == 0) shown = pow(saturate(diffuse + ambientAndEmissive), 0.5);
)";

// Where a corner lies in the world, and whether it is on the outside (1) or lit from
// within (-1), as its model marks it. GL's clip space runs from -1 to 1 in depth,
// Direct3D's from 0 to 1: the lens is GL's, so the depth is moved into Direct3D's range
// last.
const char* const kPlacing = R"(
    float4 placed = mul(model, float4(position, 1.0));
    float3 p = placed.xyz;
    float3 worldNormal = mul((float3x3)normalMatrix, normal);
    float outsideFacing = 1.0 - 2.0 * litFromWithin;
    float4 clip = mul(projection, placed);
)";

const char* const kFacesShaders = R"(
struct FacePixel {
    float4 position : SV_Position;
    float3 worldPosition : POSITION0;
    float3 worldNormal : NORMAL0;
    float outsideFacing : TEXCOORD0;
};
FacePixel FacesVertex(float3 position : POSITION, float3 normal : NORMAL, float litFromWithin : TEXCOORD1) {
    PLACING
    FacePixel pixel;
    pixel.position = float4(clip.xy, (clip.z + clip.w) * 0.5, clip.w);
    pixel.worldPosition = p;
    pixel.worldNormal = worldNormal;
    pixel.outsideFacing = outsideFacing;
    return pixel;
}
float4 FacesPixel(FacePixel pixel) : SV_Target {
    float3 p = pixel.worldPosition;
    float3 n = normalize(pixel.worldNormal);
    float outsideFacing = pixel.outsideFacing;
    float3 shown;
    SHOWN
    return float4(shown, opacity);
}
)";

// The smoothed edges, lit at their corners and fading across their width, a hair nearer
// than the faces.
const char* const kStripsShaders = R"(
struct StripPixel {
    float4 position : SV_Position;
    float3 shown : COLOR0;
    float across : TEXCOORD0;
};
StripPixel StripsVertex(float3 position : POSITION, float3 normal : NORMAL, float across : TEXCOORD0,
                        float litFromWithin : TEXCOORD1) {
    PLACING
    float3 n = normalize(worldNormal);
    float3 shown;
    SHOWN
    StripPixel pixel;
    pixel.shown = shown;
    pixel.across = across;
    clip.z -= towardsEye * clip.w;
    pixel.position = float4(clip.xy, (clip.z + clip.w) * 0.5, clip.w);
    return pixel;
}
float4 StripsPixel(StripPixel pixel) : SV_Target {
    return float4(pixel.shown, opacity * (1.0 - abs(pixel.across)));
}
)";

// The text with every NAME replaced by value.
std::string Replaced(std::string text, const std::string& name, const std::string& value) {
    for (std::size_t at = text.find(name); at != std::string::npos; at = text.find(name, at + value.size()))
        text.replace(at, name.size(), value);
    return text;
}

// A slot's statements once for each of the first count slots.
std::string Slots(const std::string& slot, int count) {
    std::string text;
    for (int i = 0; i < count; ++i) text += Replaced(slot, "[I]", "[" + std::to_string(i) + "]");
    return text;
}

std::string ShownColour(int outerPoints, int innerPoints, int directionals) {
    std::string glow = kGlowSlot;
    return std::string(kShownBegin) + Slots(std::string(kDirectionalSlot) + kAddLight, directionals) +
           Slots(std::string(kOuterPointSlot) + kAddLight, outerPoints) + kInside +
           Slots(Replaced(Replaced(glow, "PLACE", "innerPointPlace"), "COLOUR", "innerPointColour"), innerPoints) +
           Slots(Replaced(Replaced(glow, "PLACE", "outerPointPlace"), "COLOUR", "outerPointColour"), outerPoints) +
           kShownEnd;
}

}  // namespace

std::string D3d11MeshShaders(bool strips, int outerPoints, int innerPoints, int directionals) {
    std::string shaders = Replaced(strips ? kStripsShaders : kFacesShaders, "PLACING", kPlacing);
    return kConstants + Replaced(shaders, "SHOWN", ShownColour(outerPoints, innerPoints, directionals));
}

}  // namespace engine

#include "engine/gl_mesh_shaders.h"

namespace engine {

// The lights, for the pixels. OUTER_POINTS, INNER_POINTS and DIRECTIONALS give how many
// slots are in use: loops of a known length unroll, which a software rasteriser runs
// several times faster. An unused slot has no colour.
const char* const kMeshLightUniforms = R"(
const int kPointLights = 3;
const int kDirectionalLights = 2;
uniform vec3 ambientAndEmissive;
uniform vec3 diffuse;
uniform vec3 specular;
// Point lights outside the mesh's bounds light its outside and its inside, those within
// its inside alone. xyz position, w 1 / range.
uniform vec4 outerPointPlace[kPointLights];
uniform vec3 outerPointColour[kPointLights];
uniform vec4 innerPointPlace[kPointLights];
uniform vec3 innerPointColour[kPointLights];
uniform vec3 directionalToward[kDirectionalLights];
uniform vec3 directionalColour[kDirectionalLights];
// A flame's light spilled over the surface round it: the disc's centre and half size as
// seen from the eye (x and y over depth), and its colour at the centre.
uniform vec2 spillCentre;
uniform vec2 spillInverseHalfSize;
uniform vec3 spillColour;
)";

// The light a surface point shows. Whether a point is on the outside of a shell or lit
// from within (its inner shell, the cut walls round its openings, what stands inside) is
// told by outsideFacing, as the model marks it: 1 outside, -1 within. The camera sits at
// the origin, so the direction to the eye is -position. Light adds up in linear values,
// rolls off softly towards full strength instead of clipping there (so that a bright glow
// keeps its gradient and its flicker) and is encoded for the picture.
const char* const kMeshLighting = R"(
// Above this, a point is on the outside.
const float kOutsideFacing = 0.0;
// Below kKnee light shows as it is; above, it approaches full strength ever more slowly.
const float kKnee = 0.45;
uniform float power;
uniform bool lit;

// Specular shine is Blinn's, with the halfway vector, but as tight as Phong's would be with
// the material's power (Blinn's exponent four times Phong's gives about the same spot):
// Blinn's own at a power of 32 spreads a pale sheen over half a pumpkin's face.
// pow(x, p) is close to exp(-p (1 - x)) where there is any shine, and that to
// (1 - p (1 - x) / 8) to the 8th: three squarings, a fraction of pow's cost on a software
// rasteriser.
float Shine(vec3 n, vec3 halfway) {
    float x = max(dot(n, halfway), 0.0);
    float shine = max(1.0 - power * (1.0 - x) * 0.5, 0.0);
    shine *= shine;
    shine *= shine;
    shine *= shine;
    return power > 0.0 ? shine : 0.0;
}

// A waxy skin's shine takes on some of its own colour: warm, not the white of plastic.
vec3 ShineColour() { return specular * mix(vec3(1.0), vec3(1.0, 0.8, 0.55), 0.6); }

// Light on the inside is a glow on a rough surface: diffuse alone, and wrapped round,
// because the flesh lets light through. A cut wall turned from the candle still glows,
// dimmer, instead of showing as a black seam round the opening. It fades with distance
// as a small flame's light does, so the flesh nearest the flame burns brightest.
vec3 Glow(vec4 place, vec3 light, vec3 p, vec3 n) {
    vec3 toLight = place.xyz - p;
    float distance = length(toLight);
    float facing = dot(n, toLight) / max(distance, 1e-6);
    float near = 1.0 / (1.0 + distance * distance * (1.0 / 2500.0));
    return RangeFalloff(distance, place.w) * near * (0.45 + 0.55 * facing) * diffuse * light;
}

vec3 RollOff(vec3 c) {
    vec3 over = max(c - kKnee, 0.0);
    return min(c, kKnee) + (1.0 - kKnee) * (1.0 - exp(-over / (1.0 - kKnee)));
}

// Gamma 2, close to sRGB and far cheaper.
vec3 Encode(vec3 c) { return sqrt(c); }

// The spill fades from its centre to nothing at its rim, as a soft particle does. It adds
// to the picture as it is shown, as light blended over it would.
vec3 Spill(vec3 p) {
    vec2 d = (p.xy / p.z - spillCentre) * spillInverseHalfSize;
    float r = min(length(d), 1.0);
    float falloff = 1.0 - r * r * (3.0 - 2.0 * r);
    return spillColour * (0.9 * falloff * falloff);
}

// p and n in the world, n of unit length.
vec3 ShownColour(vec3 p, vec3 n, float outsideFacing) {
    if (!lit) return Encode(clamp(diffuse + ambientAndEmissive, 0.0, 1.0));
    vec3 c = ambientAndEmissive;
    if (outsideFacing > kOutsideFacing) {
        vec3 toEye = normalize(-p);
        for (int i = 0; i < DIRECTIONALS; ++i) {
            float facing = dot(n, directionalToward[i]);
            if (facing > 0.0)
                c += directionalColour[i] * (facing * diffuse + ShineColour() * Shine(n, normalize(directionalToward[i] + toEye)));
        }
        for (int i = 0; i < OUTER_POINTS; ++i) {
            vec3 toLight = outerPointPlace[i].xyz - p;
            float distance = length(toLight);
            toLight /= max(distance, 1e-6);
            float facing = dot(n, toLight);
            if (facing > 0.0)
                c += RangeFalloff(distance, outerPointPlace[i].w) * outerPointColour[i] *
                     (facing * diffuse + ShineColour() * Shine(n, normalize(toLight + toEye)));
        }
    } else {
        // The candle within gives it, and so do the point lights outside, as light that
        // falls in through the openings.
        for (int i = 0; i < INNER_POINTS; ++i)
            c += Glow(innerPointPlace[i], innerPointColour[i], p, n);
        for (int i = 0; i < OUTER_POINTS; ++i)
            c += Glow(outerPointPlace[i], outerPointColour[i], p, n);
    }
    return Encode(RollOff(c)) + Spill(p);
}
)";

// Where a corner lies in the world, and whether it is on the outside. The normal is taken
// as stored: a one-sided mesh shows only the faces it points out of.
const char* const kMeshPlacing = R"(
layout(location = 0) in vec3 position;
layout(location = 1) in vec3 normal;
// 1 where the model marks the surface as lit from within, else 0.
layout(location = 2) in float litFromWithin;
uniform mat4 model;
uniform mat3 normalMatrix;
uniform mat4 projection;
struct Placed {
    vec3 position;
    vec3 normal;
    float outsideFacing;
};
Placed Place() {
    Placed placed;
    vec4 p = model * vec4(position, 1.0);
    placed.position = p.xyz;
    placed.normal = normalMatrix * normal;
    placed.outsideFacing = 1.0 - 2.0 * litFromWithin;
    gl_Position = projection * p;
    return placed;
}
)";

// The faces: light is worked out for every pixel, since summed at the corners a smooth
// curved surface shows the straight edges of its triangles.
const char* const kMeshVertexShader = R"(
out float outsideFacing;
out vec3 worldPosition;
out vec3 worldNormal;
void main() {
    Placed placed = Place();
    worldPosition = placed.position;
    worldNormal = placed.normal;
    outsideFacing = placed.outsideFacing;
}
)";

const char* const kMeshFragmentShader = R"(
uniform float opacity;
in float outsideFacing;
in vec3 worldPosition;
in vec3 worldNormal;
out vec4 colour;
void main() {
    colour = vec4(ShownColour(worldPosition, normalize(worldNormal), outsideFacing), opacity);
}
)";

// The smoothed edges: strips a pixel or two wide along each edge, lit at their corners (an
// edge's light changes little along it, and a software rasteriser shades a thin strip's
// every pixel several times over) and fading across their width.
const char* const kStripVertexShader = R"(
// Across an edge's strip, from -1 to 1.
layout(location = 3) in float across;
// A share of the depth range by which the strips are drawn nearer the eye than the faces
// they border.
uniform float towardsEye;
out vec3 shown;
out float stripAcross;
void main() {
    Placed placed = Place();
    shown = ShownColour(placed.position, normalize(placed.normal), placed.outsideFacing);
    stripAcross = across;
    gl_Position.z -= towardsEye * gl_Position.w;
}
)";

const char* const kStripFragmentShader = R"(
uniform float opacity;
in vec3 shown;
in float stripAcross;
out vec4 colour;
void main() { colour = vec4(shown, opacity * (1.0 - abs(stripAcross))); }
)";

}  // namespace engine

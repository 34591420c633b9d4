// How a point light's strength falls off with distance, once for the processor and once
// as GLSL for the mesh shaders: the two state the same curve.
#pragma once

namespace engine {

// In the spirit of the fixed-function point light: full at the light, nothing at or
// beyond the range, and in between (1 - (distance / range)^2)^2, which meets zero
// without a seam. A range that is not above zero lights nothing; an infinite one lights
// everything fully.
float RangeFalloff(float distance, float range);

// The same as a GLSL function, float RangeFalloff(float distance, float inverseRange),
// taking 1 / range; its callers leave out the lights that light nothing.
extern const char* const kRangeFalloffGlsl;

}  // namespace engine

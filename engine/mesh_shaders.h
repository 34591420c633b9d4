// The mesh renderer's GLSL: the lights' uniforms, then the vertex and fragment stages.
// Each program is built from the counts of lights it serves (OUTER_POINTS, INNER_POINTS,
// DIRECTIONALS), the uniforms and a stage; the fragment stage also takes RangeFalloff.
#pragma once

namespace engine {

extern const char* const kMeshLightUniforms;
extern const char* const kMeshVertexShader;
extern const char* const kMeshFragmentShader;

}  // namespace engine

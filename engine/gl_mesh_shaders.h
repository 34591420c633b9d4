// The mesh renderer's GLSL. Each program is built from the counts of lights it serves
// (OUTER_POINTS, INNER_POINTS, DIRECTIONALS) and the lights' uniforms, then for each stage
// what it uses: the placing of corners (kMeshPlacing) for the vertex stages, and the
// light (RangeFalloff and kMeshLighting) where a stage works it out.
#pragma once

namespace engine {

extern const char* const kMeshLightUniforms;
extern const char* const kMeshLighting;
extern const char* const kMeshPlacing;
// The faces.
extern const char* const kMeshVertexShader;
extern const char* const kMeshFragmentShader;
// The smoothed edges' strips.
extern const char* const kStripVertexShader;
extern const char* const kStripFragmentShader;

}  // namespace engine

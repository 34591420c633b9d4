// The candle scene as the saver shows it: the engine objects, the lights, the pumpkin in
// its material and pose, the flame and the smoke with their emitters, and one frame of
// it. The saver, the render check, the still renderer and the bench all build and draw
// it through these routines, so that each sees exactly the saver's scene.
#pragma once
#include <cstdint>

#include "saver/saver_state.h"

namespace saver {

// Creates every engine object from the installed engine; the flame's and the smoke's
// NewParticle events go to the emitters below.
void CreateEngineObjects(SaverState& state);

// The flame values that follow from the candle height setting.
void SetFlameHeight(SaverState& state, double height);

// Lights (the candle's point light with the given range, and a directional light), the
// pumpkin in its pose and material, the smoke texture and both particle systems.
// Textures and the model come from the engine's search directory.
void BuildCandleScene(SaverState& state, float candleBrightness);

// One frame: the pumpkin posed, the scene and both particle systems drawn. The caller
// presents it.
void DrawCandleFrame(SaverState& state);

// The NewParticle handlers of the flame and the smoke: life time, a random velocity of
// speed 0.6 (upward for the flame), the colour, and the emitter back at the candle.
void My_Particle1_NewParticle(SaverState& state, float& VelocX, float& VelocY, float& VelocZ,
                              float& ColorR, float& ColorG, float& ColorB, float& ColorA,
                              float& LifeTime);
void My_Particle2_NewParticle(SaverState& state, float& VelocX, float& VelocY, float& VelocZ,
                              float& ColorR, float& ColorG, float& ColorB, float& ColorA,
                              float& LifeTime);

}  // namespace saver

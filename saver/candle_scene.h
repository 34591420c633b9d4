// The candle scene as the saver shows it: the engine objects, the display, the candle
// settings, the lights, the pumpkin in its material and pose, the flame and the smoke
// with their emitters, one frame of it, and the release. The saver, the render check,
// the still renderer and the bench all build and draw it through these routines, so
// that each sees exactly the saver's scene.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "saver/saver_state.h"
#include "seams/display.h"

namespace saver {

// The picture the scene is drawn into, in display pixels, whatever the window's size.
inline constexpr std::int32_t DisplayWidth = 800;
inline constexpr std::int32_t DisplayHeight = 600;

// Creates every engine object from the installed engine; the flame's and the smoke's
// NewParticle events go to the emitters below.
void CreateEngineObjects(SaverState& state);

// How the display treats the window it starts in.
enum class WindowFit {
    // The saver's own window: each of its windows is made to cover its monitor.
    CoverMonitor,
    // A window whose size is another's to choose (a screen-saver daemon's): left as it is,
    // the picture following its size.
    AsItStands,
};

// Starts the display in the window: angles in degrees, bare file names looked up in the
// media folder, no frame counter, waiting for the vertical blank, the picture kept in
// aspect over the whole window; then a first clear.
void StartSaverDisplay(SaverState& state, const std::string& mediaFolder,
                       platform::WindowHandle window, WindowFit fit = WindowFit::CoverMonitor);

// Setting texts by the settings table's name (SettingDefinition::name), as the file
// would hold them; given ones take the files' place.
using SettingTexts = std::map<std::string, std::string>;

// Reads the candle settings from the settings files (each value from the first file that
// holds it; or, for those it is given, from given) into the state's settings record and
// into the rest of the state: the flame from the candle height, the flame's colour and the move mode.
// The brightness stays text in the record until CandleBrightness reads it.
void ReadCandleSettings(SaverState& state, const std::vector<std::string>& iniFiles,
                        const SettingTexts& given = {});

// The flame values that follow from the candle height setting.
void SetFlameHeight(SaverState& state, double height);

// The brightness setting as last read, which is the candle light's range; fails when the
// text is not a number.
float CandleBrightness(const SaverState& state);

// Everything above and the scene, in the saver's order but without its loading picture,
// for the programs that draw the saver's scene themselves (render check, still renderer,
// bench, the hack): the candle settings come from the given settings files, or from
// given, and a failure to read them names those files.
void SetUpCandleScene(SaverState& state, const std::string& mediaFolder,
                      const std::vector<std::string>& iniFiles, platform::WindowHandle window,
                      WindowFit fit = WindowFit::CoverMonitor, const SettingTexts& given = {});

// Lights (the candle's point light with the given range, and a directional light), the
// pumpkin in its pose and material, the smoke texture and both particle systems.
// Textures and the model come from the engine's search directory.
void BuildCandleScene(SaverState& state, float candleBrightness);

// One frame: the pumpkin posed, the scene and both particle systems drawn. The caller
// presents it.
void DrawCandleFrame(SaverState& state);

// Releases the engine objects in their fixed order, the engine last; the particle systems
// stop calling their emitters first.
void ReleaseEngineObjects(SaverState& state);

// The NewParticle handlers of the flame and the smoke: life time, a random velocity of
// speed 0.6 (upward for the flame), the colour, and the emitter back at the candle.
void My_Particle1_NewParticle(SaverState& state, float& VelocX, float& VelocY, float& VelocZ,
                              float& ColorR, float& ColorG, float& ColorB, float& ColorA,
                              float& LifeTime);
void My_Particle2_NewParticle(SaverState& state, float& VelocX, float& VelocY, float& VelocZ,
                              float& ColorR, float& ColorG, float& ColorB, float& ColorA,
                              float& LifeTime);

}  // namespace saver

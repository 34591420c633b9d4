// The members of the full-screen saver window that set-up, frame loop, emitters and
// tear-down share: the engine objects, the pumpkin's pose, the flame values, the
// exit detector's last mouse position and the settings they were read from.
#pragma once
#include <cstdint>
#include <memory>

#include "common/flags.h"
#include "saver/engine.h"
#include "settings/settings.h"

namespace saver {

struct CandleRgb {
    float r = 0, g = 0, b = 0;
};

// Members named as the engine types they hold, so the types are written qualified.
struct SaverState {
    std::shared_ptr<saver::MaterialFactory> MatFactory;
    std::shared_ptr<saver::Engine> Engine;
    std::shared_ptr<saver::Mesh> Mesh;
    std::shared_ptr<saver::TextureFactory> TexFactory;
    std::shared_ptr<saver::Scene> Scene;
    std::shared_ptr<saver::Input> Input;
    std::shared_ptr<saver::LightEngine> Lights;
    std::shared_ptr<saver::Draw2D> Draw2D;
    std::shared_ptr<saver::View> View;
    std::shared_ptr<saver::ParticleSystem> My_Particle1;  // the flame
    std::shared_ptr<saver::ParticleSystem> My_Particle2;  // the smoke

    // False until set-up enters the frame loop; cleared by the unload.
    Flag Running = False;
    // True when the mouse turns the pumpkin instead of ending the saver.
    Flag MoveMode = False;
    saver::Vector3 Rotation;  // degrees
    saver::Vector3 Position;
    std::int16_t FlameCount = 0;
    float FlameLife = 0;
    CandleRgb CandleColor;

    std::int32_t LastMouseX = 0;
    std::int32_t LastMouseY = 0;

    // The four settings as texts, as the set-up last read them.
    mScreenSaver::SettingsRecord Settings;
};

}  // namespace saver

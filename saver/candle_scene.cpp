#include "saver/candle_scene.h"

#include <cmath>
#include <memory>

#include "common/numeric_text.h"
#include "common/runtime_error.h"
#include "seams/toolkit.h"
#include "settings/color.h"
#include "settings/settings.h"
#include "settings/settings_table.h"

namespace saver {

namespace {

constexpr std::int16_t SmokeCount = 141;
// Opaque black, keyed out of the smoke texture.
constexpr std::int32_t OpaqueBlack = static_cast<std::int32_t>(0xFF000000u);
constexpr std::int32_t OrdinaryUpdate = 68;
// Smooth edges where the graphics card offers them.
constexpr std::int32_t AntialiasSamples = 4;

// A factory that hands back nothing has failed as surely as one that throws.
template <typename Object>
std::shared_ptr<Object> Created(std::shared_ptr<Object> object) {
    if (!object) throw RuntimeError(ErrorCode::InvalidArgument, "engine object not created");
    return object;
}

// Where both particle systems are born, inside the pumpkin.
constexpr Vector3 CandlePosition{0, 0, 300};
constexpr float Speed = 0.6f;
constexpr float SmokeLife = 0.4f;
constexpr float SmokeGrey = 0.1921569f;

// The setting's text, given or else read under the key the readers ask for (each value
// from the first file that holds it), into the caller's field.
const std::string& ReadFrom(const std::vector<std::string>& iniFiles, const SettingTexts& given,
                            const mScreenSaver::SettingDefinition& setting, std::string& field) {
    auto text = given.find(setting.name);
    if (text != given.end()) {
        field = text->second;
    } else {
        mScreenSaver::ReadSetting(setting, field, iniFiles);
    }
    return field;
}

struct Emission {
    float life;
    // Raw y is yFactor * r + 2: from 2 up to 6 for the flame, from -2 up to 2 for smoke.
    double yFactor;
    CandleRgb color;
};

// One uniform draw as 2r - 1, 4r + 2 or -4r + 2, kept as a single.
float RawComponent(double factor, double offset) {
    return static_cast<float>(factor * platform::App().Random() + offset);
}

bool Finite(const Vector3& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

void Emit(const Emission& emission, ParticleSystem& system, float& VelocX, float& VelocY,
          float& VelocZ, float& ColorR, float& ColorG, float& ColorB, float& ColorA,
          float& LifeTime) {
    LifeTime = emission.life;

    Vector3 raw;
    raw.x = RawComponent(2, -1);
    raw.y = RawComponent(emission.yFactor, 2);
    raw.z = RawComponent(2, -1);
    VectorMath& math = Engines().Math();
    Vector3 velocity = math.Scale(math.Normalize(raw), Speed);
    // A raw smoke vector of (0, 0, 0) has no direction; such a particle is born at rest
    // rather than with a velocity that is not a number.
    if (!Finite(velocity)) velocity = {};
    VelocX = velocity.x;
    VelocY = velocity.y;
    VelocZ = velocity.z;

    system.MoveEmitter(CandlePosition);

    ColorR = emission.color.r;
    ColorG = emission.color.g;
    ColorB = emission.color.b;
    ColorA = 1.0f;
}


void BuildLightsAndPumpkin(SaverState& s, float candleBrightness) {
    s.Scene->SetLighting(True);
    s.Scene->SetBackgroundColor(0, 0, 0);
    s.View->SetFarDistance(7000);

    s.Lights->CreatePointLight({0, 100, 300}, 1, 1, 1, candleBrightness, "torch", 0);
    s.Lights->CreateDirectionalLight({0, -1, 1}, 1, 1, 1, "1", 0);

    s.Position = {0, 3, 300};
    s.Rotation = {25, 243, 10};
    s.Mesh = s.Scene->CreateMesh("");
    s.Mesh->LoadModel3DS("kelvora.3ds", 0, True, True, True, True);
    s.Mesh->SetScale(1, 1, 1);
    s.Mesh->SetPosition(s.Position.x, s.Position.y, s.Position.z);
    s.Mesh->SetRotation(s.Rotation.x, s.Rotation.y, s.Rotation.z);

    std::int32_t material = s.MatFactory->CreateMaterial("");
    s.MatFactory->SetDiffuse(material, 0.69f, 0.09f, 0.047f, 1);
    s.MatFactory->SetAmbient(material, 0, 0, 0, 1);
    s.MatFactory->SetSpecular(material, 0.25f, 0.25f, 0.25f, 1);
    s.MatFactory->SetPower(material, 32);
    s.MatFactory->SetEmissive(material, 0, 0, 0, 1);
    s.Mesh->SetMaterial(material, -1);
}

void BuildParticleSystems(SaverState& s) {
    Utility& globals = Engines().Globals();
    s.TexFactory->LoadTexture("smoke.bmp", "My_Texture1", -1, -1, OpaqueBlack, True, True);
    std::int32_t flameTexture = globals.GetTextureId("My_Texture1");
    s.My_Particle1->Create(s.FlameCount, 0, 3.0f, CandlePosition, 0, flameTexture);
    s.My_Particle1->SetEmissionRate(32);
    s.My_Particle1->SetBlending(1, 5, 2);
    s.My_Particle1->SetGrowth(-1.0f, 2.0f);
    s.My_Particle1->SetSpeed(21.0f);
    s.My_Particle1->SetDrag(0.01f);

    s.TexFactory->LoadTexture("smoke.bmp", "My_Texture2", -1, -1, OpaqueBlack, True, True);
    std::int32_t smokeTexture = globals.GetTextureId("My_Texture2");
    s.My_Particle2->Create(SmokeCount, 0, 3.0f, CandlePosition, 0, smokeTexture);
    s.My_Particle2->SetEmissionRate(24);
    s.My_Particle2->SetBlending(1, 5, 2);
    s.My_Particle2->SetGrowth(-2.0f, 1.0f);
    s.My_Particle2->SetSpeed(10.0f);
    s.My_Particle2->SetDrag(0.01f);
}

// Drops the state's reference; the particle system stops calling the emitter first, in
// case the engine keeps the object alive a little longer.
void ReleaseParticles(std::shared_ptr<ParticleSystem>& system) {
    if (!system) return;
    system->SetNewParticleHandler(nullptr);
    system.reset();
}

}  // namespace

void CreateEngineObjects(SaverState& s) {
    EngineObjects& engines = Engines();
    s.Engine = Created(engines.NewEngine());
    s.Lights = Created(engines.NewLightEngine());
    s.Scene = Created(engines.NewScene());
    s.Input = Created(engines.NewInput());
    s.Mesh = Created(engines.NewMesh());
    s.MatFactory = Created(engines.NewMaterialFactory());
    s.TexFactory = Created(engines.NewTextureFactory());
    s.My_Particle1 = Created(engines.NewParticleSystem());
    s.My_Particle1->SetNewParticleHandler(
        [&s](float& vx, float& vy, float& vz, float& r, float& g, float& b, float& a,
             float& life, std::int32_t&) { My_Particle1_NewParticle(s, vx, vy, vz, r, g, b, a, life); });
    s.My_Particle2 = Created(engines.NewParticleSystem());
    s.My_Particle2->SetNewParticleHandler(
        [&s](float& vx, float& vy, float& vz, float& r, float& g, float& b, float& a,
             float& life, std::int32_t&) { My_Particle2_NewParticle(s, vx, vy, vz, r, g, b, a, life); });
    s.Draw2D = Created(engines.NewDraw2D());
    s.View = Created(engines.NewView());
}

void StartSaverDisplay(SaverState& s, const std::string& mediaFolder,
                       platform::WindowHandle window, WindowFit fit) {
    s.Engine->SetAngleSystem(0);
    s.Engine->SetSearchDirectory(mediaFolder);
    s.Engine->DisplayFramesPerSecond(0);
    s.Engine->SetVSync(1);
    s.Engine->StartFullscreenDisplay(DisplayWidth, DisplayHeight, 32, True,
                                     ToFlag(fit == WindowFit::CoverMonitor), AntialiasSamples,
                                     1.0f, window);
    s.Engine->ClearFrame(0);
}

void ReadCandleSettings(SaverState& s, const std::vector<std::string>& iniFiles,
                        const SettingTexts& given) {
    using namespace mScreenSaver;
    SetFlameHeight(
        s, TextToDouble(ReadFrom(iniFiles, given, CandleHeightSetting, s.Settings.candleHeight)));

    ReadFrom(iniFiles, given, CandleBrightnessSetting, s.Settings.candleBrightness);
    ColorToRgb(ReadFrom(iniFiles, given, CandleColorSetting, s.Settings.candleColor),
               s.CandleColor.r, s.CandleColor.g, s.CandleColor.b);

    ReadFrom(iniFiles, given, MovePumpkinSetting, s.Settings.movePumpkin);
    s.MoveMode = ToFlag(s.Settings.movePumpkin == FlagOnText);
}

float CandleBrightness(const SaverState& s) { return TextToSingle(s.Settings.candleBrightness); }

void SetUpCandleScene(SaverState& s, const std::string& mediaFolder,
                      const std::vector<std::string>& iniFiles, platform::WindowHandle window,
                      WindowFit fit, const SettingTexts& given) {
    CreateEngineObjects(s);
    StartSaverDisplay(s, mediaFolder, window, fit);
    float brightness = 0;
    try {
        ReadCandleSettings(s, iniFiles, given);
        brightness = CandleBrightness(s);
    } catch (const RuntimeError& failure) {
        // Without the saver's message box, say which file let the set-up down.
        std::string named;
        for (const std::string& file : iniFiles) named += (named.empty() ? "" : " or ") + file;
        throw RuntimeError(failure.code(),
                           std::string(failure.what()) + ": no usable candle settings in " + named);
    }
    BuildCandleScene(s, brightness);
}

void SetFlameHeight(SaverState& s, double height) {
    s.FlameCount = RoundToInt16(height * 5 + 90);
    s.FlameLife = ToSingle(height / 10 + 1.4);
}

void BuildCandleScene(SaverState& s, float candleBrightness) {
    BuildLightsAndPumpkin(s, candleBrightness);
    BuildParticleSystems(s);
}

void DrawCandleFrame(SaverState& s) {
    s.Mesh->SetRotation(s.Rotation.x, s.Rotation.y, s.Rotation.z);
    s.Engine->ClearFrame(0);
    s.Scene->RenderAllMeshes(True);
    s.My_Particle1->Update(OrdinaryUpdate);
    s.My_Particle1->Render();
    s.My_Particle2->Update(OrdinaryUpdate);
    s.My_Particle2->Render();
}

void ReleaseEngineObjects(SaverState& s) {
    s.View.reset();
    s.Draw2D.reset();
    ReleaseParticles(s.My_Particle1);
    ReleaseParticles(s.My_Particle2);
    s.TexFactory.reset();
    if (s.MatFactory) {
        s.MatFactory->CleanUp();
        s.MatFactory.reset();
    }
    s.Mesh.reset();
    s.Input.reset();
    s.Scene.reset();
    if (s.Lights) {
        s.Lights->CleanUp();
        s.Lights.reset();
    }
    if (s.Engine) {
        s.Engine->ShutDown();
        s.Engine.reset();
    }
}

void My_Particle1_NewParticle(SaverState& s, float& VelocX, float& VelocY, float& VelocZ,
                              float& ColorR, float& ColorG, float& ColorB, float& ColorA,
                              float& LifeTime) {
    Emit({s.FlameLife, 4, s.CandleColor}, *s.My_Particle1, VelocX, VelocY, VelocZ, ColorR,
         ColorG, ColorB, ColorA, LifeTime);
}

void My_Particle2_NewParticle(SaverState& s, float& VelocX, float& VelocY, float& VelocZ,
                              float& ColorR, float& ColorG, float& ColorB, float& ColorA,
                              float& LifeTime) {
    Emit({SmokeLife, -4, {SmokeGrey, SmokeGrey, SmokeGrey}}, *s.My_Particle2, VelocX, VelocY,
         VelocZ, ColorR, ColorG, ColorB, ColorA, LifeTime);
}

}  // namespace saver

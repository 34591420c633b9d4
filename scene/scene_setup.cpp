// The saver window's load: the scene set-up in its fixed order, guarded by one failure
// road that shows the message current at the time and ends the saver.
#include <exception>
#include <string>

#include "common/numeric_text.h"
#include "common/runtime_error.h"
#include "host/ending.h"
#include "scene/frm_saver.h"
#include "scene/saver_messages.h"
#include "settings/color.h"
#include "settings/settings.h"

namespace {

constexpr std::int32_t DisplayWidth = 800;
constexpr std::int32_t DisplayHeight = 600;
constexpr std::int32_t LoadingWidth = 256;
constexpr std::int32_t LoadingHeight = 64;
constexpr std::int16_t SmokeCount = 141;
// Opaque black, keyed out of the smoke texture.
constexpr std::int32_t OpaqueBlack = static_cast<std::int32_t>(0xFF000000u);

// A factory that hands back nothing has failed as surely as one that throws.
template <typename Object>
std::shared_ptr<Object> Created(std::shared_ptr<Object> object) {
    if (!object) throw RuntimeError(ErrorCode::InvalidArgument, "engine object not created");
    return object;
}

std::string CandleValue(const char* key, std::string& field) {
    mScreenSaver::ReadIniValue("candle", key, field, mScreenSaver::IniFilePath());
    return field;
}

}  // namespace

void FrmSaver::Load() {
    std::string message = scene::CannotDisplayMessage;
    try {
        window_ = platform::SaverWindows().Create([this] { CloseFromOutside(); });
        CreateEngineObjects();
        StartDisplay();

        message = scene::FilesMissingMessage();
        ReadCandleSettings();
        ShowWinCursor(False);
        DrawLoadingPicture();
        BuildLightsAndPumpkin();
        BuildParticleSystems();
        Show();

        Running = True;
        RenderLoop();
        return;
    } catch (const std::exception&) {
        // Every failure of set-up and of the loop inside it ends up here.
    }
    mScreenSaver::ReportFatalError(message);
    // Back here only when the password was refused: no scene to draw, so wait for the
    // user to come back and ask again.
    WaitForUserAfterRefusal();
}

void FrmSaver::CreateEngineObjects() {
    scene::EngineObjects& engines = scene::Engines();
    Engine = Created(engines.NewEngine());
    Lights = Created(engines.NewLightEngine());
    Scene = Created(engines.NewScene());
    Input = Created(engines.NewInput());
    Mesh = Created(engines.NewMesh());
    MatFactory = Created(engines.NewMaterialFactory());
    TexFactory = Created(engines.NewTextureFactory());
    My_Particle1 = Created(engines.NewParticleSystem());
    My_Particle1->SetNewParticleHandler(
        [this](float& vx, float& vy, float& vz, float& r, float& g, float& b, float& a,
               float& life, std::int32_t& texture) {
            My_Particle1_NewParticle(vx, vy, vz, r, g, b, a, life, texture);
        });
    My_Particle2 = Created(engines.NewParticleSystem());
    My_Particle2->SetNewParticleHandler(
        [this](float& vx, float& vy, float& vz, float& r, float& g, float& b, float& a,
               float& life, std::int32_t& texture) {
            My_Particle2_NewParticle(vx, vy, vz, r, g, b, a, life, texture);
        });
    Draw2D = Created(engines.NewDraw2D());
    View = Created(engines.NewView());
}

void FrmSaver::StartDisplay() {
    Engine->SetAngleSystem(0);
    Engine->SetSearchDirectory(mScreenSaver::MediaFolderPath());
    Engine->DisplayFramesPerSecond(0);
    Engine->SetVSync(1);
    Engine->StartFullscreenDisplay(DisplayWidth, DisplayHeight, 32, True, True, 0, 1.0f,
                                   window_);
    Engine->ClearFrame(0);
}

void FrmSaver::ReadCandleSettings() {
    using mScreenSaver::Settings;
    double height = TextToDouble(CandleValue("candleheight", Settings.candleHeight));
    FlameCount = RoundToInt16(height * 5 + 90);
    FlameLife = ToSingle(height / 10 + 1.4);

    CandleValue("candlebrightness", Settings.candleBrightness);
    mScreenSaver::ColorToRgb(CandleValue("candlecolor", Settings.candleColor), CandleColor.r,
                             CandleColor.g, CandleColor.b);

    mScreenSaver::ReadIniValue("pumpkin", "movePumpkin", Settings.movePumpkin,
                               mScreenSaver::IniFilePath());
    MoveMode = ToFlag(Settings.movePumpkin == "1");
}

void FrmSaver::DrawLoadingPicture() {
    const float left = (DisplayWidth - LoadingWidth) / 2;
    const float top = (DisplayHeight - LoadingHeight) / 2;
    TexFactory->LoadTexture(mScreenSaver::MediaFolderPath() + "loading.jpg", "Loading", -1, -1,
                            0, True, True);
    std::int32_t loading = scene::Engines().Globals().GetTextureId("Loading");
    Draw2D->DrawTexture(loading, left, top, left + LoadingWidth, top + LoadingHeight, -1, -2, -2,
                        -2, 0, 0, 1, 1);
    // The picture stays up while the rest is built.
    Engine->PresentFrame();
}

void FrmSaver::BuildLightsAndPumpkin() {
    scene::Utility& globals = scene::Engines().Globals();
    Scene->SetLighting(True);
    Scene->SetBackgroundColor(0, 0, 0);
    View->SetFarDistance(7000);

    scene::Vector3 torchPosition = globals.LightVector(0, 100, 300);
    Lights->CreatePointLight(torchPosition, 1, 1, 1,
                             TextToSingle(mScreenSaver::Settings.candleBrightness), "torch", 0);
    Lights->CreateDirectionalLight(globals.LightVector(0, -1, 1), 1, 1, 1, "1", 0);

    Position = {0, 3, 300};
    Rotation = {25, 243, 10};
    Mesh = Scene->CreateMesh("");
    Mesh->LoadModel3DS("kelvora.3ds", 0, True, True, True, True);
    Mesh->SetScale(1, 1, 1);
    Mesh->SetPosition(Position.x, Position.y, Position.z);
    Mesh->SetRotation(Rotation.x, Rotation.y, Rotation.z);

    std::int32_t material = MatFactory->CreateMaterial("");
    MatFactory->SetDiffuse(material, 0.69f, 0.09f, 0.047f, 1);
    MatFactory->SetAmbient(material, 0, 0, 0, 1);
    MatFactory->SetSpecular(material, 0.25f, 0.25f, 0.25f, 1);
    MatFactory->SetPower(material, 32);
    MatFactory->SetEmissive(material, 0, 0, 0, 1);
    Mesh->SetMaterial(material, -1);
}

void FrmSaver::BuildParticleSystems() {
    scene::Utility& globals = scene::Engines().Globals();
    TexFactory->LoadTexture("smoke.bmp", "My_Texture1", -1, -1, OpaqueBlack, True, True);
    scene::Vector3 flameEmitter = globals.EmitterVector(0, 0, 300);
    std::int32_t flameTexture = globals.GetTextureId("My_Texture1");
    My_Particle1->Create(FlameCount, 0, 3.0f, flameEmitter, 0, flameTexture);
    My_Particle1->SetEmissionRate(32);
    My_Particle1->SetBlending(1, 5, 2);
    My_Particle1->SetGrowth(-1.0f, 2.0f);
    My_Particle1->SetSpeed(21.0f);
    My_Particle1->SetDrag(0.01f);

    TexFactory->LoadTexture("smoke.bmp", "My_Texture2", -1, -1, OpaqueBlack, True, True);
    scene::Vector3 smokeEmitter = globals.EmitterVector(0, 0, 300);
    std::int32_t smokeTexture = globals.GetTextureId("My_Texture2");
    My_Particle2->Create(SmokeCount, 0, 3.0f, smokeEmitter, 0, smokeTexture);
    My_Particle2->SetEmissionRate(24);
    My_Particle2->SetBlending(1, 5, 2);
    My_Particle2->SetGrowth(-2.0f, 1.0f);
    My_Particle2->SetSpeed(10.0f);
    My_Particle2->SetDrag(0.01f);
}

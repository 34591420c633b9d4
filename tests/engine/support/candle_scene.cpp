#include "candle_scene.h"

namespace enginetest {

namespace {
float Uniform(std::mt19937& random) { return static_cast<float>(random() >> 8) * (1.0f / 16777216.0f); }
}  // namespace

CandleScene::CandleScene(saver::EngineObjects& engines, saver::WindowHandle window,
                         const std::string& mediaFolder, bool vsync, const CandleSettings& settings)
    : engines_(engines), settings_(settings) {
    engine_ = engines.NewEngine();
    lights_ = engines.NewLightEngine();
    scene_ = engines.NewScene();
    materials_ = engines.NewMaterialFactory();
    textures_ = engines.NewTextureFactory();
    flame_ = engines.NewParticleSystem();
    smoke_ = engines.NewParticleSystem();
    view_ = engines.NewView();

    engine_->SetAngleSystem(0);
    engine_->SetSearchDirectory(mediaFolder);
    engine_->DisplayFramesPerSecond(0);
    engine_->SetVSync(vsync ? 1 : 0);
    engine_->StartFullscreenDisplay(800, 600, 32, True, True, 0, 1.0f, window);
    engine_->ClearFrame(0);

    scene_->SetLighting(True);
    scene_->SetBackgroundColor(0, 0, 0);
    view_->SetFarDistance(7000);
    saver::Utility& utility = engines.Globals();
    lights_->CreatePointLight(utility.LightVector(0, 100, 300), 1, 1, 1, settings.brightness, "torch", 0);
    lights_->CreateDirectionalLight(utility.LightVector(0, -1, 1), 1, 1, 1, "1", 0);

    mesh_ = scene_->CreateMesh("");
    mesh_->LoadModel3DS("kelvora.3ds", 0, True, True, True, True);
    mesh_->SetScale(1, 1, 1);
    mesh_->SetPosition(0, 3, 300);
    mesh_->SetRotation(25, 243, 10);

    std::int32_t m = materials_->CreateMaterial("");
    materials_->SetDiffuse(m, 0.69f, 0.09f, 0.047f, 1);
    materials_->SetAmbient(m, 0, 0, 0, 1);
    materials_->SetSpecular(m, 0.25f, 0.25f, 0.25f, 1);
    materials_->SetPower(m, 32);
    materials_->SetEmissive(m, 0, 0, 0, 1);
    mesh_->SetMaterial(m, -1);

    textures_->LoadTexture("smoke.bmp", "My_Texture1", -1, -1, static_cast<std::int32_t>(0xFF000000u), True, True);
    flame_->Create(settings.flameCount, 0, 3.0f, utility.EmitterVector(0, 0, 300), 0, utility.GetTextureId("My_Texture1"));
    flame_->SetEmissionRate(32);
    flame_->SetBlending(1, 5, 2);
    flame_->SetGrowth(-1.0f, 2.0f);
    flame_->SetSpeed(21.0f);
    flame_->SetDrag(0.01f);
    textures_->LoadTexture("smoke.bmp", "My_Texture2", -1, -1, static_cast<std::int32_t>(0xFF000000u), True, True);
    smoke_->Create(141, 0, 3.0f, utility.EmitterVector(0, 0, 300), 0, utility.GetTextureId("My_Texture2"));
    smoke_->SetEmissionRate(24);
    smoke_->SetBlending(1, 5, 2);
    smoke_->SetGrowth(-2.0f, 1.0f);
    smoke_->SetSpeed(10.0f);
    smoke_->SetDrag(0.01f);

    // The emitters: a random direction of speed 0.6, upward for the flame, up or down
    // for the smoke; the emitter put back at the candle.
    auto handler = [this](saver::ParticleSystem& system, bool flame) {
        return [this, &system, flame](float& vx, float& vy, float& vz, float& r, float& g, float& b, float& a,
                                      float& life, std::int32_t&) {
            life = flame ? settings_.flameLife : 0.4f;
            saver::Vector3 raw;
            raw.x = 2 * Uniform(random_) - 1;
            raw.y = flame ? 4 * Uniform(random_) + 2 : -4 * Uniform(random_) + 2;
            raw.z = 2 * Uniform(random_) - 1;
            saver::VectorMath& math = engines_.Math();
            saver::Vector3 velocity = math.Scale(math.Normalize(raw), 0.6f);
            vx = velocity.x;
            vy = velocity.y;
            vz = velocity.z;
            system.MoveEmitter(engines_.Globals().EmitterVector(0, 0, 300));
            r = flame ? settings_.r : 0.1921569f;
            g = flame ? settings_.g : 0.1921569f;
            b = flame ? settings_.b : 0.1921569f;
            a = 1.0f;
        };
    };
    flame_->SetNewParticleHandler(handler(*flame_, true));
    smoke_->SetNewParticleHandler(handler(*smoke_, false));
}

CandleScene::~CandleScene() {
    flame_.reset();
    smoke_.reset();
    materials_->CleanUp();
    mesh_.reset();
    scene_.reset();
    lights_->CleanUp();
    engine_->ShutDown();
}

void CandleScene::Draw(bool withParticles) {
    mesh_->SetRotation(25, 243, 10);
    engine_->ClearFrame(0);
    scene_->RenderAllMeshes(True);
    if (!withParticles) return;
    flame_->Update(68);
    flame_->Render();
    smoke_->Update(68);
    smoke_->Render();
}

void CandleScene::Present() { engine_->PresentFrame(); }

}  // namespace enginetest

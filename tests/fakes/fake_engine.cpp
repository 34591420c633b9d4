#include "fakes/fake_engine.h"

#include <cmath>

#include "common/runtime_error.h"
#include "fakes/call_log.h"

namespace saver {
std::ostream& operator<<(std::ostream& out, const Vector3& v) {
    return out << '(' << v.x << ", " << v.y << ", " << v.z << ')';
}
}  // namespace saver

namespace fakes {

namespace {

// What every fake object shares: its name in the journal, and its release logged.
class Recorded {
public:
    Recorded(FakeEngineObjects& engines, std::string name)
        : engines_(engines), name_(std::move(name)) {
        engines_.scene.alive.insert(name_);
    }
    ~Recorded() {
        Log().Add("Release(" + name_ + ")");
        engines_.scene.alive.erase(name_);
    }

protected:
    template <typename... Args>
    void Rec(const std::string& operation, const Args&... args) {
        engines_.Record(name_, operation, Call(name_ + "." + operation, args...));
    }
    HeldScene& Held() { return engines_.scene; }
    FakeEngineObjects& engines_;
    std::string name_;
};

class FakeEngine : public saver::Engine, Recorded {
public:
    using Recorded::Recorded;
    void SetAngleSystem(std::int32_t system) override { Rec("SetAngleSystem", system); }
    void SetSearchDirectory(const std::string& folder) override {
        Rec("SetSearchDirectory", folder);
    }
    void DisplayFramesPerSecond(std::int32_t show) override {
        Rec("DisplayFramesPerSecond", show);
    }
    void SetVSync(std::int32_t enabled) override { Rec("SetVSync", enabled); }
    void StartFullscreenDisplay(std::int32_t width, std::int32_t height, std::int32_t depth,
                                Flag keepAspect, Flag fillWindow, std::int32_t antialiasSamples,
                                float gamma, saver::WindowHandle window) override {
        Rec("StartFullscreenDisplay", width, height, depth, keepAspect, fillWindow,
            antialiasSamples, gamma, window);
    }
    void ClearFrame(std::int32_t color) override { Rec("ClearFrame", color); }
    void PresentFrame() override { Rec("PresentFrame"); }
    void ShowCursor(Flag visible) override { Rec("ShowCursor", visible); }
    float ElapsedTime() override {
        Rec("ElapsedTime");
        return engines_.elapsedTime;
    }
    void ShutDown() override {
        Rec("ShutDown");
        Held().aliveAtShutDown = Held().alive;
    }
};

class FakeMesh : public saver::Mesh, Recorded {
public:
    using Recorded::Recorded;
    void LoadModel3DS(const std::string& file, std::int32_t group, Flag textureCoords,
                      Flag smoothing, Flag computeNormals, Flag keepOrigin) override {
        Rec("LoadModel3DS", file, group, textureCoords, smoothing, computeNormals, keepOrigin);
        Held().meshes[name_].model = file;
    }
    void SetScale(float x, float y, float z) override {
        Rec("SetScale", x, y, z);
        Held().meshes[name_].scale = {x, y, z};
    }
    void SetPosition(float x, float y, float z) override {
        Rec("SetPosition", x, y, z);
        Held().meshes[name_].position = {x, y, z};
    }
    void SetRotation(float x, float y, float z) override {
        Rec("SetRotation", x, y, z);
        Held().meshes[name_].rotation = {x, y, z};
    }
    void SetMaterial(std::int32_t materialId, std::int32_t group) override {
        Rec("SetMaterial", materialId, group);
        Held().meshes[name_].material = materialId;
    }
};

class FakeScene : public saver::Scene, Recorded {
public:
    using Recorded::Recorded;
    void SetLighting(Flag enabled) override {
        Rec("SetLighting", enabled);
        Held().lighting = enabled;
    }
    void SetBackgroundColor(float r, float g, float b) override {
        Rec("SetBackgroundColor", r, g, b);
    }
    std::shared_ptr<saver::Mesh> CreateMesh(const std::string& name) override {
        Rec("CreateMesh", '"' + name + '"');
        return engines_.NewMesh();
    }
    void RenderAllMeshes(Flag depthTest) override { Rec("RenderAllMeshes", depthTest); }
};

class FakeInput : public saver::Input, Recorded {
public:
    using Recorded::Recorded;
    void GetMouseState(std::int32_t& x, std::int32_t& y, Flag& button1, Flag& button2,
                       Flag& button3, std::int32_t& wheel) override {
        Rec("GetMouseState");
        x = engines_.mouseX;
        y = engines_.mouseY;
        button1 = engines_.button1;
        button2 = button3 = False;
        wheel = 0;
    }
    void GetLastKey(std::int32_t& key, Flag& pressed) override {
        Rec("GetLastKey");
        key = engines_.lastKey;
        pressed = ToFlag(engines_.keyDown);
    }
    Flag IsKeyPressed(std::int32_t key) override {
        Rec("IsKeyPressed", key);
        return ToFlag(key != 0 && key == engines_.lastKey && engines_.keyDown);
    }
};

class FakeMaterialFactory : public saver::MaterialFactory, Recorded {
public:
    using Recorded::Recorded;
    std::int32_t CreateMaterial(const std::string& name) override {
        Rec("CreateMaterial", '"' + name + '"');
        Held().materials[5] = {};
        return 5;
    }
    void SetAmbient(std::int32_t id, float r, float g, float b, float a) override {
        Rec("SetAmbient", id, r, g, b, a);
        Held().materials.at(id).ambient = {r, g, b, a};
    }
    void SetDiffuse(std::int32_t id, float r, float g, float b, float a) override {
        Rec("SetDiffuse", id, r, g, b, a);
        Held().materials.at(id).diffuse = {r, g, b, a};
    }
    void SetSpecular(std::int32_t id, float r, float g, float b, float a) override {
        Rec("SetSpecular", id, r, g, b, a);
        Held().materials.at(id).specular = {r, g, b, a};
    }
    void SetEmissive(std::int32_t id, float r, float g, float b, float a) override {
        Rec("SetEmissive", id, r, g, b, a);
        Held().materials.at(id).emissive = {r, g, b, a};
    }
    void SetPower(std::int32_t id, float specularPower) override {
        Rec("SetPower", id, specularPower);
        Held().materials.at(id).power = specularPower;
    }
    void CleanUp() override { Rec("CleanUp"); }
};

class FakeTextureFactory : public saver::TextureFactory, Recorded {
public:
    using Recorded::Recorded;
    std::int32_t LoadTexture(const std::string& file, const std::string& name, std::int32_t width,
                             std::int32_t height, std::int32_t colorKey, Flag smoothFilter,
                             Flag mipmaps) override {
        Rec("LoadTexture", file, name, width, height, colorKey, smoothFilter, mipmaps);
        return engines_.AddTexture(name, {file, colorKey});
    }
};

class FakeLightEngine : public saver::LightEngine, Recorded {
public:
    using Recorded::Recorded;
    std::int32_t CreatePointLight(const saver::Vector3& position, float r, float g, float b,
                                  float range, const std::string& name,
                                  std::int32_t priority) override {
        Rec("CreatePointLight", position, r, g, b, range, name, priority);
        Held().pointLights.push_back({position, {r, g, b}, range});
        return 1;
    }
    std::int32_t CreateDirectionalLight(const saver::Vector3& direction, float r, float g,
                                        float b, const std::string& name,
                                        std::int32_t priority) override {
        Rec("CreateDirectionalLight", direction, r, g, b, name, priority);
        Held().directionalLights.push_back({direction, {r, g, b}});
        return 2;
    }
    void CleanUp() override { Rec("CleanUp"); }
};

class FakeDraw2D : public saver::Draw2D, Recorded {
public:
    using Recorded::Recorded;
    void DrawTexture(std::int32_t textureId, float x1, float y1, float x2, float y2,
                     std::int32_t color1, std::int32_t color2, std::int32_t color3,
                     std::int32_t color4, float u1, float v1, float u2, float v2) override {
        Rec("DrawTexture", textureId, x1, y1, x2, y2, color1, color2, color3, color4, u1, v1, u2,
            v2);
    }
};

class FakeView : public saver::View, Recorded {
public:
    using Recorded::Recorded;
    void SetFarDistance(float distance) override {
        Rec("SetFarDistance", distance);
        Held().farDistance = distance;
    }
};

class FakeParticleSystem : public saver::ParticleSystem, Recorded {
public:
    using Recorded::Recorded;
    void Create(std::int16_t count, std::int32_t kind, float size, const saver::Vector3& emitter,
                std::int32_t emitterKind, std::int32_t textureId) override {
        Rec("Create", count, kind, size, emitter, emitterKind, textureId);
        Held().particles[name_] = {count, size, emitter, textureId};
    }
    void SetEmissionRate(std::int32_t perSecond) override {
        Rec("SetEmissionRate", perSecond);
        Held().particles.at(name_).rate = perSecond;
    }
    void SetBlending(std::int32_t operation, std::int32_t sourceFactor,
                     std::int32_t destinationFactor) override {
        Rec("SetBlending", operation, sourceFactor, destinationFactor);
        Held().particles.at(name_).blending = {operation, sourceFactor, destinationFactor};
    }
    void SetGrowth(float atBirth, float atDeath) override {
        Rec("SetGrowth", atBirth, atDeath);
        Held().particles.at(name_).growth = {atBirth, atDeath};
    }
    void SetSpeed(float speed) override {
        Rec("SetSpeed", speed);
        Held().particles.at(name_).speed = speed;
    }
    void SetDrag(float drag) override {
        Rec("SetDrag", drag);
        Held().particles.at(name_).drag = drag;
    }
    void MoveEmitter(const saver::Vector3& position) override { Rec("MoveEmitter", position); }
    void Update(std::int32_t mode) override {
        Rec("Update", mode);
        for (int i = 0; i < engines_.particlesPerUpdate && handler_; ++i) {
            EmittedParticle p{name_, -9, -9, -9, -9, -9, -9, -9, -9, engines_.textureIndexGiven};
            handler_(p.velocX, p.velocY, p.velocZ, p.colorR, p.colorG, p.colorB, p.colorA,
                     p.lifeTime, p.textureIndex);
            engines_.emitted.push_back(p);
        }
    }
    void Render() override { Rec("Render"); }
    void SetNewParticleHandler(saver::NewParticleHandler handler) override {
        Rec("SetNewParticleHandler", handler ? "handler" : "none");
        handler_ = std::move(handler);
        engines_.handlerSet[name_] = static_cast<bool>(handler_);
    }

private:
    saver::NewParticleHandler handler_;
};

class FakeUtility : public saver::Utility {
public:
    explicit FakeUtility(FakeEngineObjects& engines) : engines_(engines) {}
    std::int32_t GetTextureId(const std::string& name) override {
        engines_.Record("Utility", "GetTextureId", Call("Utility.GetTextureId", name));
        return engines_.TextureIdOf(name);
    }

private:
    FakeEngineObjects& engines_;
};

// Real arithmetic, unlogged: the emitters call it for every particle.
class FakeVectorMath : public saver::VectorMath {
public:
    explicit FakeVectorMath(FakeEngineObjects& engines) : engines_(engines) {}
    saver::Vector3 Normalize(const saver::Vector3& v) override {
        double length = std::sqrt(double(v.x) * v.x + double(v.y) * v.y + double(v.z) * v.z);
        if (length == 0 && !engines_.normalizeZeroGivesNaN) return {};
        return {float(v.x / length), float(v.y / length), float(v.z / length)};
    }
    saver::Vector3 Scale(const saver::Vector3& v, float factor) override {
        return {v.x * factor, v.y * factor, v.z * factor};
    }

private:
    FakeEngineObjects& engines_;
};

template <typename Fake>
std::shared_ptr<Fake> Make(FakeEngineObjects& engines, const std::string& factory,
                           const std::string& name) {
    engines.Record("Engines", factory, Call("Engines." + factory));
    return std::make_shared<Fake>(engines, name);
}

}  // namespace

void FakeEngineObjects::Record(const std::string& object, const std::string& operation,
                               const std::string& call) {
    Log().Add(call);
    if (failing.count(operation) || failing.count(object + "." + operation)) {
        throw RuntimeError(ErrorCode::InvalidArgument, call + " failed");
    }
}

std::int32_t FakeEngineObjects::TextureIdOf(const std::string& name) const {
    auto found = textures_.find(name);
    return found == textures_.end() ? 0 : found->second;
}

std::int32_t FakeEngineObjects::AddTexture(const std::string& name, HeldTexture texture) {
    std::int32_t id = static_cast<std::int32_t>(textures_.size()) + 11;
    textures_[name] = id;
    scene.textures[id] = std::move(texture);
    return id;
}

std::shared_ptr<saver::Engine> FakeEngineObjects::NewEngine() {
    return Make<FakeEngine>(*this, "NewEngine", "Engine");
}
std::shared_ptr<saver::LightEngine> FakeEngineObjects::NewLightEngine() {
    return Make<FakeLightEngine>(*this, "NewLightEngine", "Lights");
}
std::shared_ptr<saver::Scene> FakeEngineObjects::NewScene() {
    return Make<FakeScene>(*this, "NewScene", "Scene");
}
std::shared_ptr<saver::Input> FakeEngineObjects::NewInput() {
    return Make<FakeInput>(*this, "NewInput", "Input");
}
std::shared_ptr<saver::Mesh> FakeEngineObjects::NewMesh() {
    return Make<FakeMesh>(*this, "NewMesh", "Mesh#" + std::to_string(++meshes_));
}
std::shared_ptr<saver::MaterialFactory> FakeEngineObjects::NewMaterialFactory() {
    return Make<FakeMaterialFactory>(*this, "NewMaterialFactory", "MatFactory");
}
std::shared_ptr<saver::TextureFactory> FakeEngineObjects::NewTextureFactory() {
    return Make<FakeTextureFactory>(*this, "NewTextureFactory", "TexFactory");
}
std::shared_ptr<saver::ParticleSystem> FakeEngineObjects::NewParticleSystem() {
    return Make<FakeParticleSystem>(*this, "NewParticleSystem",
                                    "Particle#" + std::to_string(++particleSystems_));
}
std::shared_ptr<saver::Draw2D> FakeEngineObjects::NewDraw2D() {
    return Make<FakeDraw2D>(*this, "NewDraw2D", "Draw2D");
}
std::shared_ptr<saver::View> FakeEngineObjects::NewView() {
    return Make<FakeView>(*this, "NewView", "View");
}

saver::Utility& FakeEngineObjects::Globals() {
    static FakeUtility utility(*this);
    return utility;
}

saver::VectorMath& FakeEngineObjects::Math() {
    static FakeVectorMath math(*this);
    return math;
}

FakeEngineObjects& InstallFakeEngine() {
    static FakeEngineObjects engines;
    engines = FakeEngineObjects();
    saver::Engines.Install(engines);
    return engines;
}

}  // namespace fakes

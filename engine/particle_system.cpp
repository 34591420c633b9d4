// The particle system object: the simulation driven by real elapsed time, its births
// handed to the scene's handler, and the particles drawn as camera-facing billboards
// in one batch, blended and depth-tested against the meshes without writing depth.
#include <algorithm>

#include "common/runtime_error.h"
#include "engine/clock.h"
#include "engine/flame_flicker.h"
#include "engine/light_falloff.h"
#include "engine/object_factories.h"
#include "engine/particle_look.h"
#include "engine/particle_simulation.h"
#include "engine/sprite_renderer.h"

namespace engine {

namespace {

// Particle sizes and growth count in size units, speeds in speed units, of this many
// world units: the candle's values then draw a flame some 40 units tall and thin wisps
// of smoke over a pumpkin some 140 units across.
constexpr float kSizeUnit = 5.0f;
constexpr float kSpeedUnit = 1.2f;
// Hot gas rises: every particle gains this upward speed each second (world units).
constexpr float kRise = 30.0f;
// A system whose blending adds light lights the meshes around its emitter with the
// colour of its burning particles, as far as the nearest of the light engine's point
// lights reaches: that lamp stands for the flame's own light, so its range (the candle's
// brightness) bounds the glow too. With no point light the glow reaches this far. A
// particle lights them the less the farther it has risen from the emitter, and not at
// all beyond kFlameReach. This many particles at full strength at the emitter make a
// light as bright as their colour.
constexpr float kGlowRange = 170.0f;
constexpr float kFlameReach = 60.0f;
constexpr float kGlowParticles = 6.0f;
// The glow is as bright as kGlowParticles say at this range, and brighter or dimmer in
// proportion to the range.
constexpr float kGlowReferenceRange = 200.0f;

// How often the meshes take up a change of the glow where the display keeps still things:
// more often than the eye follows a candle's flicker.
constexpr float kRelightsPerSecond = 20.0f;

// A longer gap than this (the window was hidden, a file was loading) is taken as this
// much, so that the systems do not leap.
constexpr float kLongestStep = 0.25f;

// The scene's blend operations and factors, numbered from 1 in the order of the layer's.
BlendOperation ToBlendOperation(std::int32_t operation) {
    if (operation < 1 || operation > 5)
        throw RuntimeError(ErrorCode::InvalidArgument, "unknown blend operation " + std::to_string(operation));
    return static_cast<BlendOperation>(operation - 1);
}

BlendFactor ToBlendFactor(std::int32_t factor) {
    if (factor < 1 || factor > 10)
        throw RuntimeError(ErrorCode::InvalidArgument, "unknown blend factor " + std::to_string(factor));
    return static_cast<BlendFactor>(factor - 1);
}

class GlParticleSystem : public saver::ParticleSystem {
public:
    explicit GlParticleSystem(SharedState state) : state_(std::move(state)) {}
    ~GlParticleSystem() override { state_->particleGlows.erase(this); }

    void Create(std::int16_t count, std::int32_t kind, float size, const saver::Vector3& emitter,
                std::int32_t emitterKind, std::int32_t textureId) override {
        if (count <= 0) throw RuntimeError(ErrorCode::InvalidArgument, "a particle system needs a count above 0");
        if (kind != 0 || emitterKind != 0)
            throw RuntimeError(ErrorCode::InvalidArgument, "only billboards (0) from a point emitter (0)");
        state_->textures.Find(textureId);
        simulation_.settings.capacity = count;
        simulation_.settings.birthSize = size * kSizeUnit;
        simulation_.settings.rise = kRise;
        simulation_.settings.emitter = {emitter.x, emitter.y, emitter.z};
        simulation_.settings.texture = textureId;
        created_ = true;
        // Glowing (dark) from the start, so that the meshes' lights are the same set in the
        // first frame as in every later one and their program is built once.
        UpdateGlow(0);
    }

    void SetEmissionRate(std::int32_t perSecond) override {
        if (perSecond < 0) throw RuntimeError(ErrorCode::InvalidArgument, "a negative emission rate");
        simulation_.settings.birthsPerSecond = static_cast<float>(perSecond);
    }

    void SetBlending(std::int32_t operation, std::int32_t sourceFactor, std::int32_t destinationFactor) override {
        blending_ = {ToBlendOperation(operation), ToBlendFactor(sourceFactor), ToBlendFactor(destinationFactor)};
    }

    void SetGrowth(float atBirth, float atDeath) override {
        simulation_.settings.growthAtBirth = atBirth * kSizeUnit;
        simulation_.settings.growthAtDeath = atDeath * kSizeUnit;
    }

    void SetSpeed(float speed) override { simulation_.settings.speed = speed * kSpeedUnit; }
    void SetDrag(float drag) override { simulation_.settings.drag = drag; }

    void MoveEmitter(const saver::Vector3& position) override {
        simulation_.settings.emitter = {position.x, position.y, position.z};
    }

    void Update(std::int32_t) override {
        RequireCreated();
        double now = Now();
        float step = lastUpdate_ < 0 ? 0.0f : std::clamp(static_cast<float>(now - lastUpdate_), 0.0f, kLongestStep);
        lastUpdate_ = now;
        clock_ += step;
        simulation_.Advance(step, [this](Particle& p) { RaiseNewParticle(p); });
        // A glowing system's hot particles burn together, as one flame flickers.
        flare_ = Glowing() ? flicker_.Advance(step) : 1.0f;
        UpdateGlow(step);
    }

    void Render() override {
        RequireCreated();
        state_->display.RequireRunning();
        BuildBillboards();
        SpriteDraw how;
        how.projection = state_->display.Projection();
        how.blending = blending_;
        how.behindMeshes = true;
        how.oneSize = true;
        // One draw for each texture the particles use; normally that is one.
        for (std::size_t begin = 0; begin < textures_.size();) {
            std::size_t end = begin;
            while (end < textures_.size() && textures_[end] == textures_[begin]) ++end;
            how.texture = &state_->textures.Find(textures_[begin]);
            DrawSprites(state_->display, &vertices_[begin * 6], (end - begin) * 6, how);
            begin = end;
        }
    }

    void SetNewParticleHandler(saver::NewParticleHandler handler) override { handler_ = std::move(handler); }

private:
    void RequireCreated() const {
        if (!created_) throw RuntimeError(ErrorCode::InvalidArgument, "the particle system has not been created");
    }

    void RaiseNewParticle(Particle& p) {
        if (!handler_) return;
        handler_(p.velocity.x, p.velocity.y, p.velocity.z, p.colour.r, p.colour.g, p.colour.b, p.colour.a,
                 p.life, p.texture);
        // Soot outlives the heat that made it: it stays until its system needs its room
        // again, so that a stream of it climbs well clear of the flame.
        // It leaves the flame already rising as fast as the hot gas round it.
        if (IsSoot(p.colour) && simulation_.settings.birthsPerSecond > 0) {
            p.life = std::max(p.life, simulation_.settings.capacity / simulation_.settings.birthsPerSecond);
            p.lift = simulation_.settings.rise;
        }
    }

    // The camera looks along +z from the origin, so a camera-facing sprite lies in x and
    // y. A glowing system's flame comes with one soft halo, drawn first, behind it.
    void BuildBillboards() {
        std::vector<const Particle*> order;
        for (const Particle& p : simulation_.Particles()) order.push_back(&p);
        std::stable_sort(order.begin(), order.end(),
                         [](const Particle* a, const Particle* b) { return a->texture < b->texture; });
        vertices_.clear();
        textures_.clear();
        auto add = [&](const ParticleSprite& sprite, std::int32_t texture) {
            if (sprite.colour.a <= 0.0f) return;
            AddSprite(sprite);
            textures_.push_back(texture);
        };
        const glm::vec3& emitter = simulation_.settings.emitter;
        if (Glowing() && burning_.count > 0)
            add(FlameHalo(emitter, burning_.colour, burning_.meanRise, flare_), burning_.texture);
        for (const Particle* p : order)
            add(IsSoot(p->colour) ? SootSprite(*p, emitter, clock_, simulation_.settings)
                                  : BurningSprite(*p, emitter, clock_, flare_),
                p->texture);
    }

    // Two triangles facing the camera, in x and y.
    void AddSprite(const ParticleSprite& sprite) {
        glm::vec3 along(sprite.halfLength, 0);
        glm::vec3 across = glm::length(along) > 0 ? glm::normalize(glm::vec3(along.y, -along.x, 0)) * sprite.halfWidth
                                                  : glm::vec3(sprite.halfWidth, 0, 0);
        const glm::vec3& c = sprite.centre;
        SpriteVertex topLeft{c - across + along, {0, 0}, sprite.colour};
        SpriteVertex topRight{c + across + along, {1, 0}, sprite.colour};
        SpriteVertex bottomLeft{c - across - along, {0, 1}, sprite.colour};
        SpriteVertex bottomRight{c + across - along, {1, 1}, sprite.colour};
        for (const SpriteVertex& v : {topLeft, topRight, bottomRight, topLeft, bottomRight, bottomLeft})
            vertices_.push_back(v);
    }

    bool Glowing() const { return blending_.destination == BlendFactor::One; }

    float GlowRange() const {
        const glm::vec3& emitter = simulation_.settings.emitter;
        const PointLight* nearest = nullptr;
        for (const auto& [id, light] : state_->pointLights)
            if (!nearest || glm::length(light.position - emitter) < glm::length(nearest->position - emitter))
                nearest = &light;
        return nearest ? nearest->range : kGlowRange;
    }

    static float Faded(const Particle& p) { return 1.0f - std::clamp(p.age / p.life, 0.0f, 1.0f); }

    // The hot particles' light, each weighed by how near the emitter it still is, and
    // followed from frame to frame so that the light flickers with the flame.
    void UpdateGlow(float seconds) {
        burning_ = {};
        if (!Glowing()) {
            state_->particleGlows.erase(this);
            return;
        }
        glm::vec3 light(0);
        const glm::vec3& emitter = simulation_.settings.emitter;
        for (const Particle& p : simulation_.Particles()) {
            if (IsSoot(p.colour)) continue;
            light += glm::vec3(p.colour) * (flare_ * p.colour.a * Faded(p) *
                                            RangeFalloff(glm::length(p.position - emitter), kFlameReach));
            burning_.colour = glm::vec3(p.colour);
            burning_.texture = p.texture;
            burning_.meanRise += std::max(p.position.y - emitter.y, 0.0f);
            ++burning_.count;
        }
        if (burning_.count > 0) burning_.meanRise /= static_cast<float>(burning_.count);
        // A brighter candle both reaches farther and burns brighter.
        float range = GlowRange();
        glm::vec3 level = glowLevel_.Follow(light * (range / kGlowReferenceRange) / kGlowParticles, seconds);
        // The light that spills out of whatever holds the flame, over it: the meshes draw
        // it with their own light, which costs far less than a wide sprite blended over
        // them.
        LightSpill spill = burning_.count > 0 ? FlameSpill(emitter, burning_.colour, burning_.meanRise, flare_) : LightSpill{};
        // Where the display keeps what stands still from frame to frame, the meshes are
        // lit anew only kRelightsPerSecond times a second: each time costs a redraw of
        // all of them, where the flame's sprites alone cost a fraction of it.
        sinceRelit_ += seconds;
        if (state_->particleGlows.count(this) && state_->display.KeepsStillThings() &&
            sinceRelit_ < 1.0f / kRelightsPerSecond)
            return;
        sinceRelit_ = 0;
        state_->particleGlows[this] = {{emitter, level, range}, spill};
    }

    // The burning particles of this frame as a whole: how many, how high they have risen
    // on average, and the colour and texture of the newest.
    struct Flame {
        int count = 0;
        float meanRise = 0;
        glm::vec3 colour{0};
        std::int32_t texture = 0;
    };

    SharedState state_;
    ParticleSimulation simulation_;
    FlameFlicker flicker_;
    FlickerFollower glowLevel_;
    // How brightly the flame burns this frame.
    float flare_ = 1.0f;
    Flame burning_;
    // Seconds since the meshes were last given the glow.
    float sinceRelit_ = 0;
    // Seconds the system has run, for the sway and the draught.
    float clock_ = 0;
    saver::NewParticleHandler handler_;
    bool created_ = false;
    double lastUpdate_ = -1;
    Blending blending_{BlendOperation::Add, BlendFactor::SourceAlpha, BlendFactor::One};
    std::vector<SpriteVertex> vertices_;
    std::vector<std::int32_t> textures_;
};

}  // namespace

std::shared_ptr<saver::ParticleSystem> MakeParticleSystem(SharedState state) {
    return std::make_shared<GlParticleSystem>(std::move(state));
}

}  // namespace engine

// The 3D engine as the scene drives it: twelve reference-counted objects and their
// operations. Every operation can fail with RuntimeError. Angles are degrees, vectors
// three singles in a left-handed frame (camera at the origin looking along +z, y up),
// colour components singles from 0 to 1, flags 16-bit with true = -1.
//
// Where a value's meaning is ours to choose, the comment on the operation says what our
// engine does with it; engine/ implements exactly that.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "common/flags.h"
#include "seams/slot.h"

namespace saver {

using WindowHandle = std::intptr_t;

struct Vector3 {
    float x = 0, y = 0, z = 0;
    bool operator==(const Vector3&) const = default;
};

class Engine {
public:
    virtual ~Engine() = default;
    // Option 1: the angle system; 0 means degrees, the only system the engine knows.
    virtual void SetAngleSystem(std::int32_t system) = 0;
    // Later loads by bare file name look in this folder.
    virtual void SetSearchDirectory(const std::string& folder) = 0;
    // Option 2: the frames-per-second counter: 1 writes the frames shown a second, renewed
    // once a second, in the picture's lower left corner; 0, as the saver sets it, writes
    // none.
    virtual void DisplayFramesPerSecond(std::int32_t show) = 0;
    // Option 3: 1 waits for the display's vertical blank where the platform offers it
    // and never shows frames faster than the monitor refreshes (60 a second when it does
    // not say), sleeping between them; 0 shows every frame as soon as it is drawn (the
    // benchmark's loops run so).
    virtual void SetVSync(std::int32_t enabled) = 0;
    // Starts the display inside the given window, never by changing the display mode.
    // The window's picture is shown on every monitor: the saver window is one window per
    // monitor (see saver/saver_window.h). width x height are the display pixels that
    // 2D drawing, the mouse and the lens's aspect count in; the 3D scene is drawn once a
    // frame as large as the largest monitor shows it (sharp, not stretched from width x
    // height). Where one window shows it at that size, without multisampling or a gamma,
    // it is drawn straight into the window; otherwise into an off-screen target that each
    // monitor shows scaled to its own size. On a software renderer (GL_RENDERER names
    // llvmpipe, softpipe or a software GDI renderer) the picture holds at most about 2.1
    // million pixels (a 1080p monitor's 4:3 picture) and has no multisampling; a larger
    // monitor shows it scaled up.
    // keepAspect true fits the picture with its aspect kept (bars in the background
    // colour), false stretches it; either way the picture drifts along a figure of eight
    // 3 window pixels to each side, once round in ten minutes, so that an OLED screen never
    // holds an edge on the same pixels (what ReadFramePixels gives does not drift).
    // fillWindow true makes each window cover its monitor; antialiasSamples 0 is none,
    // more draws through a target with that many samples, or as many as the GL offers;
    // gamma 1.0 leaves colours as they are, another value raises each to 1/gamma. depth
    // must be 32.
    virtual void StartFullscreenDisplay(std::int32_t width, std::int32_t height,
                                        std::int32_t depth, Flag keepAspect, Flag fillWindow,
                                        std::int32_t antialiasSamples, float gamma,
                                        WindowHandle window) = 0;
    // Clears the picture to a colour 0x00RRGGBB (0 is black) and its depth.
    virtual void ClearFrame(std::int32_t color) = 0;
    // Shows the picture on every monitor and, with option 3 on, waits for the
    // next frame's turn. While the window system reports the monitors powered down it
    // shows nothing and instead waits for input, or for the next look at the monitors
    // (every 2 s), so that the frame loop draws about once in 2 s until they wake.
    virtual void PresentFrame() = 0;
    virtual void ShowCursor(Flag visible) = 0;
    // Seconds between the two most recent presents.
    virtual float ElapsedTime() = 0;
    virtual void ShutDown() = 0;
};

class Mesh {
public:
    virtual ~Mesh() = default;
    // Loads a 3DS model by file name (bare names resolve against the search folder).
    // group 0 puts every object of the file into one mesh (the only group a mesh has;
    // other values fail); the flags: use the file's texture coordinates (read, but no
    // mesh is textured), use its smoothing groups (false smooths across every edge),
    // compute normals (false shades each face flat), and keep the model's own origin
    // (false centres it). Triangles are one-sided, as in Direct3D: a triangle faces the
    // camera when its corners run clockwise on the screen. A malformed file fails with
    // a message that says what is wrong and where.
    virtual void LoadModel3DS(const std::string& file, std::int32_t group, Flag textureCoords,
                              Flag smoothing, Flag computeNormals, Flag keepOrigin) = 0;
    virtual void SetScale(float x, float y, float z) = 0;
    virtual void SetPosition(float x, float y, float z) = 0;
    // Degrees about x, then y, then z.
    virtual void SetRotation(float x, float y, float z) = 0;
    // group -1 (or 0, the one group) gives the mesh the material.
    virtual void SetMaterial(std::int32_t materialId, std::int32_t group) = 0;
};

class Scene {
public:
    virtual ~Scene() = default;
    // true: meshes are lit per pixel by the light engine's lights and by glowing
    // particle systems (ParticleSystem). The side of a surface that faces its mesh's
    // centre is the inside of a shell, which directional lights do not reach: point
    // lights light it with a soft glow that wraps round to surfaces turned half away, as
    // far as their range reaches. A point light within the mesh's bounds (the candle)
    // lights only that inside; one outside it lights the outside as well, and its light
    // falls in through the openings. A carved pumpkin is dark inside but for its candle
    // and the lamp above it. false: each mesh shows its diffuse and emissive colour.
    virtual void SetLighting(Flag enabled) = 0;
    // The colour of the bars beside the picture when its aspect is kept.
    virtual void SetBackgroundColor(float r, float g, float b) = 0;
    virtual std::shared_ptr<Mesh> CreateMesh(const std::string& name) = 0;
    // Draws every mesh of the scene; true draws them with depth testing.
    virtual void RenderAllMeshes(Flag depthTest) = 0;
};

class Input {
public:
    virtual ~Input() = default;
    // Cursor position in the 800 x 600 display pixels of the picture on the monitor the
    // cursor is on, and the three buttons (true while held); wheel is the wheel's movement since the previous call.
    virtual void GetMouseState(std::int32_t& x, std::int32_t& y, Flag& button1, Flag& button2,
                               Flag& button3, std::int32_t& wheel) = 0;
    // The most recent key pressed since this object was created (a key already held at
    // creation does not count, nor does auto-repeat), 0 when none; pressed tells whether
    // it is held now. Key codes are the platform's own: Win32 virtual keys, SDL scancodes,
    // Linux input codes on Wayland.
    virtual void GetLastKey(std::int32_t& key, Flag& pressed) = 0;
    // Whether the key is down: held now, or freshly pressed since the previous call
    // (whichever key that one asked about), so that a key pressed and released between
    // two calls still answers true once. Key 0 is never down.
    virtual Flag IsKeyPressed(std::int32_t key) = 0;
};

class MaterialFactory {
public:
    virtual ~MaterialFactory() = default;
    virtual std::int32_t CreateMaterial(const std::string& name) = 0;
    virtual void SetAmbient(std::int32_t id, float r, float g, float b, float a) = 0;
    virtual void SetDiffuse(std::int32_t id, float r, float g, float b, float a) = 0;
    virtual void SetSpecular(std::int32_t id, float r, float g, float b, float a) = 0;
    virtual void SetEmissive(std::int32_t id, float r, float g, float b, float a) = 0;
    virtual void SetPower(std::int32_t id, float specularPower) = 0;
    // Forgets every material this factory made.
    virtual void CleanUp() = 0;
};

class TextureFactory {
public:
    virtual ~TextureFactory() = default;
    // Loads a JPEG, BMP or PNG under a name. width and height -1 keep the picture's own
    // size; colorKey 0 keys out nothing, otherwise the 0xAARRGGBB colour becomes
    // transparent; the flags: filter smoothly, and build mipmaps.
    virtual std::int32_t LoadTexture(const std::string& file, const std::string& name,
                                     std::int32_t width, std::int32_t height,
                                     std::int32_t colorKey, Flag smoothFilter,
                                     Flag mipmaps) = 0;
};

class LightEngine {
public:
    virtual ~LightEngine() = default;
    // A point light; priority 0 is normal. Its strength at a distance d is
    // (1 - (d / range)^2)^2 of its colour: full at the light, falling off smoothly, and
    // nothing at or beyond the range, so the range bounds what it lights and how brightly
    // (the candle's brightness setting is this range: at 1 it lights none of the pumpkin
    // under it, at 300 all of it, inside and out). A range not above zero lights nothing. A
    // draw takes three point lights (glowing particle systems count, after these) and two
    // directional ones; making a fourth point light or a third directional one fails.
    virtual std::int32_t CreatePointLight(const Vector3& position, float r, float g, float b,
                                          float range, const std::string& name,
                                          std::int32_t priority) = 0;
    virtual std::int32_t CreateDirectionalLight(const Vector3& direction, float r, float g,
                                                float b, const std::string& name,
                                                std::int32_t priority) = 0;
    // Removes every light.
    virtual void CleanUp() = 0;
};

class Draw2D {
public:
    virtual ~Draw2D() = default;
    // Draws a texture into a rectangle of display pixels, blended by its alpha, over
    // what the frame holds. Each corner colour (1 top left, 2 top right, 3 bottom left,
    // 4 bottom right) is 0xAARRGGBB and multiplies the texture; -1 is opaque white; -2
    // (0xFFFFFFFE) is taken as white too, so the texture shows as it is. Texture
    // coordinates u1, v1 at the top left, u2, v2 at the bottom right.
    virtual void DrawTexture(std::int32_t textureId, float x1, float y1, float x2, float y2,
                             std::int32_t color1, std::int32_t color2, std::int32_t color3,
                             std::int32_t color4, float u1, float v1, float u2, float v2) = 0;
};

class View {
public:
    virtual ~View() = default;
    // Nothing farther from the camera than this is drawn.
    virtual void SetFarDistance(float distance) = 0;
};

// What a NewParticle handler receives by reference; what it writes becomes the particle.
// It is handed velocity 0, colour opaque white, LifeTime 1 and TextureIndex the system's
// texture; particles are drawn with the texture their TextureIndex names.
using NewParticleHandler =
    std::function<void(float& VelocX, float& VelocY, float& VelocZ, float& ColorR, float& ColorG,
                       float& ColorB, float& ColorA, float& LifeTime, std::int32_t& TextureIndex)>;

// Particles are camera-facing textured rectangles, blended, hidden behind meshes but
// writing no depth. Sizes and growth count in size units of 5 world units and speeds in
// speed units of 1.2, so that the candle's values draw a flame some 40 units tall and
// thin wisps over a pumpkin some 140 units across. A particle lives LifeTime seconds,
// moves by its velocity times the speed and rises like hot gas (it gains 30 world units
// a second of upward speed each second, which drag slows as well). What it looks like
// depends on its colour:
// - Burning gas (any colour but a dark neutral one): white-hot while young, then its own
//   colour, narrowing and fading out towards its death, drawn 1.7 times taller than wide;
//   the flame leans from side to side as a whole, the more the higher a particle has
//   risen. Many together make a teardrop with a bright core.
// - Soot (red, green and blue equal, none above half): it outlives the heat that made it,
//   staying until its system needs its room again (count / births per second seconds,
//   when that is longer than LifeTime), leaves the flame already rising as fast as the
//   gas round it, keeps its colour, is drawn thin and stretched along its way, and a slow
//   draught carries it sideways, differently at each height and moment: a stream of it
//   is a thin curling wisp. It is drawn only between 30 and 110 units above its emitter,
//   so it shows once clear of a pumpkin's lid and is gone well before the top of the
//   picture.
// A system whose blending adds light (destination factor one) glows. Its burning
// particles burn together with a flicker (between 15% and full brightness, easing to a
// new random level seven times a second, each at least half that range away from the
// one before; the flame itself shows 40% of that swing, the light it casts all of it),
// and one faint, wide halo is drawn round the flame, behind it, and a fainter, wider one
// over everything: the light that spills out of whatever holds the flame. It lights the
// meshes round its emitter with the colour of its burning particles, falling off as
// a point light does over the range of the light engine's point light nearest to it
// (that lamp stands for the flame's own light, so the candle's brightness bounds the
// glow, and the glow is brighter in proportion to that range, as bright as six
// particles at 200; with no point light, 170 world units), each particle the less the
// farther it has risen from the emitter (none beyond 60 units). That light follows the
// particles from frame to frame a twentieth of a second behind, so the surfaces it
// lights flicker with the flame.
class ParticleSystem {
public:
    virtual ~ParticleSystem() = default;
    // count particles live at most (births beyond are lost); kind 0 is billboards;
    // size is a particle's edge at birth in size units; emitterKind 0 is a point
    // emitter. Other kinds fail.
    virtual void Create(std::int16_t count, std::int32_t kind, float size,
                        const Vector3& emitter, std::int32_t emitterKind,
                        std::int32_t textureId) = 0;
    // Step A: new particles born per second.
    virtual void SetEmissionRate(std::int32_t perSecond) = 0;
    // Step B: blending as operation, source factor, destination factor, numbered as in
    // Direct3D (operations 1 add, 2 subtract, 3 reverse subtract, 4 min, 5 max; factors
    // 1 zero, 2 one, 3 source colour, 4 its inverse, 5 source alpha, 6 its inverse,
    // 7 destination alpha, 8 its inverse, 9 destination colour, 10 its inverse).
    virtual void SetBlending(std::int32_t operation, std::int32_t sourceFactor,
                             std::int32_t destinationFactor) = 0;
    // Step C: how fast a particle's edge grows, in size units per second, at birth
    // and at death, changing evenly over its life; an edge never shrinks below 0. Soot
    // spreads evenly instead, 2.5 world units of edge a second.
    virtual void SetGrowth(float atBirth, float atDeath) = 0;
    // Step D: speed: a particle moves its velocity times this many speed units a
    // second.
    virtual void SetSpeed(float speed) = 0;
    // Step E: how much of its velocity a particle loses each hundredth of a second.
    virtual void SetDrag(float drag) = 0;
    // Where the next particles are born; a NewParticle handler may move it for the very
    // particle it is making.
    virtual void MoveEmitter(const Vector3& position) = 0;
    // Advances the simulation by the real time since the previous update (a gap longer
    // than a quarter of a second counts as a quarter) and raises NewParticle, on the
    // caller's thread, for every particle born; the handler's failure ends the update.
    // mode 68 is the ordinary update; every other value is treated the same.
    virtual void Update(std::int32_t mode) = 0;
    virtual void Render() = 0;
    virtual void SetNewParticleHandler(NewParticleHandler handler) = 0;
};

class Utility {
public:
    virtual ~Utility() = default;
    virtual std::int32_t GetTextureId(const std::string& name) = 0;
};

class VectorMath {
public:
    virtual ~VectorMath() = default;
    // A zero vector normalises to the zero vector.
    virtual Vector3 Normalize(const Vector3& v) = 0;
    virtual Vector3 Scale(const Vector3& v, float factor) = 0;
};

// Creates the engine's objects. Every object shares the one display the Engine starts;
// the utility and vector math objects are process-wide.
class EngineObjects {
public:
    virtual ~EngineObjects() = default;
    virtual std::shared_ptr<Engine> NewEngine() = 0;
    virtual std::shared_ptr<LightEngine> NewLightEngine() = 0;
    virtual std::shared_ptr<Scene> NewScene() = 0;
    virtual std::shared_ptr<Input> NewInput() = 0;
    virtual std::shared_ptr<Mesh> NewMesh() = 0;
    virtual std::shared_ptr<MaterialFactory> NewMaterialFactory() = 0;
    virtual std::shared_ptr<TextureFactory> NewTextureFactory() = 0;
    virtual std::shared_ptr<ParticleSystem> NewParticleSystem() = 0;
    virtual std::shared_ptr<Draw2D> NewDraw2D() = 0;
    virtual std::shared_ptr<View> NewView() = 0;
    virtual Utility& Globals() = 0;
    virtual VectorMath& Math() = 0;
};

// The installed implementation: engine/ in the products, a recording fake in tests.
inline platform::Slot<EngineObjects> Engines{"EngineObjects"};

}  // namespace saver

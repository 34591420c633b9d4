// Drives the frame loop on a stepped clock, then reads the last frame back.
#include "scene_render.h"

#include <memory>

#include "engine/clock.h"
#include "engine/gl_engine_objects.h"
#include "saver/candle_scene.h"
#include "saver/saver_window.h"
#include "seams/display.h"

namespace stills {

namespace {
constexpr int RenderWidth = 800, RenderHeight = 600;
constexpr double FrameSeconds = 1.0 / 30;

media::Picture ToPicture(const std::vector<std::uint8_t>& rgba) {
    media::Picture picture(RenderWidth, RenderHeight, {0, 0, 0, 1});
    for (std::size_t i = 0; i < picture.pixels.size(); ++i)
        picture.pixels[i] = {rgba[4 * i] / 255.0f, rgba[4 * i + 1] / 255.0f, rgba[4 * i + 2] / 255.0f, 1};
    return picture;
}
}  // namespace

media::Picture RenderCandleScene(engine::GlEngineObjects& engines, const std::string& mediaFolder,
                                 double seconds) {
    const platform::WindowHandle window = saver::SaverWindows().Create([] {});
    saver::SaverWindows().Show(window);
    engine::ManualClock clock;
    engine::InstalledClock.Install(clock);
    saver::SaverState scene;
    saver::SetUpCandleScene(scene, mediaFolder, {mediaFolder + "/kelvora.ini"}, window);
    for (; clock.now < seconds; clock.now += FrameSeconds) {
        saver::DrawCandleFrame(scene);
        scene.Engine->PresentFrame();
    }
    saver::DrawCandleFrame(scene);
    const std::vector<std::uint8_t> frame = engines.ReadFramePixels();
    saver::ReleaseEngineObjects(scene);
    engine::InstalledClock.Clear();
    saver::SaverWindows().Destroy(window);
    return ToPicture(frame);
}

}  // namespace stills

// The engine object: options, the display's start and end, frames and the cursor.
#include <stb/stb_easy_font.h>

#include <cstdio>

#include "common/runtime_error.h"
#include "engine/object_factories.h"
#include "engine/sprite_renderer.h"

namespace engine {

namespace {

class GlEngine : public saver::Engine {
public:
    explicit GlEngine(SharedState state) : state_(std::move(state)) {}

    void SetAngleSystem(std::int32_t system) override {
        if (system != 0) throw RuntimeError(ErrorCode::InvalidArgument, "angles can only be degrees (0)");
    }
    void SetSearchDirectory(const std::string& folder) override { state_->searchFolder = folder; }
    void DisplayFramesPerSecond(std::int32_t show) override { showFps_ = show != 0; }
    void SetVSync(std::int32_t enabled) override { state_->display.SetVSync(enabled != 0); }

    void StartFullscreenDisplay(std::int32_t width, std::int32_t height, std::int32_t depth,
                                Flag keepAspect, Flag fillWindow, std::int32_t antialiasSamples,
                                float gamma, saver::WindowHandle window) override {
        if (depth != 32) throw RuntimeError(ErrorCode::InvalidArgument, "the display's colour depth must be 32");
        state_->display.Start({width, height, keepAspect != 0, fillWindow != 0, antialiasSamples, gamma}, window);
        try {
            state_->renderers = std::make_unique<Renderers>();
        } catch (...) {
            state_->display.Stop();
            throw;
        }
    }

    void ClearFrame(std::int32_t color) override {
        state_->display.Clear(static_cast<std::uint32_t>(color) & 0xFFFFFF);
    }

    void PresentFrame() override {
        state_->display.RequireRunning();
        if (showFps_) DrawFrameCounter();
        state_->display.Present();
    }

    void ShowCursor(Flag visible) override { platform::Screen().ShowCursor(visible != 0); }
    float ElapsedTime() override { return state_->display.ElapsedTime(); }

    void ShutDown() override {
        state_->textures.Clear();
        state_->renderers.reset();
        state_->display.Stop();
    }

private:
    // The rate over the most recent frame, in small white digits at the top left.
    void DrawFrameCounter() {
        float elapsed = state_->display.ElapsedTime();
        char text[32];
        std::snprintf(text, sizeof text, "%.0f fps", elapsed > 0 ? 1.0f / elapsed : 0.0f);
        // stb_easy_font gives quads of four vertices, 16 bytes each: x, y, z, colour.
        struct FontVertex {
            float x, y, z;
            unsigned char colour[4];
        };
        FontVertex quads[400];
        int quadCount = stb_easy_font_print(4, 4, text, nullptr, quads, sizeof quads);
        std::vector<SpriteVertex> triangles;
        for (int q = 0; q < quadCount; ++q) {
            const FontVertex* v = &quads[q * 4];
            for (int corner : {0, 1, 2, 0, 2, 3})
                triangles.push_back({{v[corner].x * 2, v[corner].y * 2, 0}, {0, 0}, {1, 1, 1, 1}});
        }
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_BLEND);
        state_->renderers->sprites->Draw(triangles.data(), triangles.size(), state_->textures.White(),
                                         state_->display.PixelProjection());
    }

    SharedState state_;
    bool showFps_ = false;
};

}  // namespace

std::shared_ptr<saver::Engine> MakeEngine(SharedState state) { return std::make_shared<GlEngine>(std::move(state)); }

}  // namespace engine

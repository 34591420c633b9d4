// The engine object: options, the display's start and end, frames and the cursor.
#include <memory>

#include "common/runtime_error.h"
#include "engine/clock.h"
#include "engine/frame_rate_counter.h"
#include "engine/frame_rate_text.h"
#include "engine/object_factories.h"

namespace engine {

namespace {

class GlEngine : public saver::Engine {
public:
    explicit GlEngine(SharedState state) : state_(std::move(state)) {}

    void SetAngleSystem(std::int32_t system) override {
        if (system != 0) throw RuntimeError(ErrorCode::InvalidArgument, "angles can only be degrees (0)");
    }
    void SetSearchDirectory(const std::string& folder) override { state_->searchFolder = folder; }
    void DisplayFramesPerSecond(std::int32_t show) override {
        if (show != 0 && show != 1) throw RuntimeError(ErrorCode::InvalidArgument, "the frame counter is on (1) or off (0)");
        showFrameRate_ = show == 1;
        frameRate_ = {};
    }
    void SetVSync(std::int32_t enabled) override { state_->display.SetVSync(enabled != 0); }

    void StartFullscreenDisplay(std::int32_t width, std::int32_t height, std::int32_t depth,
                                Flag keepAspect, Flag fillWindow, std::int32_t antialiasSamples,
                                float gamma, saver::WindowHandle window) override {
        if (depth != 32) throw RuntimeError(ErrorCode::InvalidArgument, "the display's colour depth must be 32");
        state_->display.Start({width, height, keepAspect != 0, fillWindow != 0, antialiasSamples, gamma}, window);
    }

    void ClearFrame(std::int32_t color) override {
        state_->display.Clear(static_cast<std::uint32_t>(color) & 0xFFFFFF);
    }

    void PresentFrame() override {
        state_->display.RequireRunning();
        if (showFrameRate_) DrawFrameRate();
        state_->display.Present();
    }

    void ShowCursor(Flag visible) override { platform::Screen().ShowCursor(visible != 0); }
    float ElapsedTime() override { return state_->display.ElapsedTime(); }

    void ShutDown() override {
        frameRateText_.reset();
        state_->textures.Clear();
        state_->display.Stop();
    }

private:
    // The rate counted up to this frame, written over it.
    void DrawFrameRate() {
        frameRate_.Count(Now());
        if (!frameRateText_) frameRateText_ = std::make_unique<FrameRateText>(state_->display.Layer());
        frameRateText_->Draw(frameRate_.Rate(), state_->display);
    }

    SharedState state_;
    bool showFrameRate_ = false;
    FrameRateCounter frameRate_;
    // Made at the first frame it is drawn on, in the display's drawing layer; released with it.
    std::unique_ptr<FrameRateText> frameRateText_;
};

}  // namespace

std::shared_ptr<saver::Engine> MakeEngine(SharedState state) { return std::make_shared<GlEngine>(std::move(state)); }

}  // namespace engine

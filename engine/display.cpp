#include "engine/display.h"

#include <algorithm>
#include <glm/gtc/matrix_transform.hpp>

#include "common/color_bytes.h"
#include "common/runtime_error.h"
#include "engine/clock.h"
#include "engine/drawing_layer.h"
#include "engine/partial_frame.h"

namespace engine {

namespace {
// The lens: a vertical field of view in which a pumpkin some 110 units tall at 300
// units' distance fills about half the picture, with room above it for the smoke.
constexpr float kFieldOfViewDegrees = 45.0f;
constexpr float kNearDistance = 1.0f;

bool SameRect(const GlRect& a, const GlRect& b) {
    return a.x == b.x && a.y == b.y && a.width == b.width && a.height == b.height;
}

// The others first and the window itself last: its swap is the one that waits.
std::vector<platform::WindowHandle> ShownOrder(std::vector<platform::WindowHandle> windows) {
    std::rotate(windows.begin(), windows.begin() + 1, windows.end());
    return windows;
}

}  // namespace

Display::Display() = default;
Display::~Display() = default;

void Display::Start(const DisplayOptions& options, platform::WindowHandle window) {
    if (running_) throw RuntimeError(ErrorCode::InvalidArgument, "the display is already started");
    if (options.width <= 0 || options.height <= 0 || options.antialiasSamples < 0 ||
        options.gamma <= 0)
        throw RuntimeError(ErrorCode::InvalidArgument, "the display's size, samples or gamma is out of range");
    platform::DisplaySystem& screen = platform::Screen();
    if (options.fillWindow) screen.CoverMonitor(window);
    layer_ = StartDrawingLayer(window);
    offScreen_ = false;
    shows_.clear();
    try {
        options_ = options;
        window_ = window;
        monitorWindows_ = ShownOrder(screen.MonitorWindows(window));
        std::vector<platform::PixelSize> sizes;
        for (platform::WindowHandle shown : monitorWindows_) sizes.push_back(screen.DrawableSize(shown));
        bool software = layer_->SoftwareRenderer();
        renderSize_ = RenderSize(options, sizes, software ? kSoftwarePixelBudget : 0);
        samples_ = software ? 0 : layer_->OfferedSamples(options.antialiasSamples);
        if (monitorWindows_.size() > 1 || samples_ > 0 || options.gamma != 1.0f || !layer_->WindowHasDepth())
            UseOffScreenPicture();
        else
            FollowWindow();
    } catch (...) {
        layer_.reset();
        throw;
    }
    running_ = true;
    frame_ = std::make_unique<PartialFrame>(*layer_);
    SetVSync(vsync_);
    lastPresent_ = -1;
    elapsed_ = 0;
    frame_->Begin(Destination());
}

void Display::Stop() {
    if (!running_) return;
    frame_.reset();
    layer_.reset();
    monitorWindows_.clear();
    running_ = false;
}

void Display::RequireRunning() const {
    if (!running_) throw RuntimeError(ErrorCode::InvalidArgument, "the display has not been started");
}

DrawingLayer& Display::Layer() {
    RequireRunning();
    return *layer_;
}

void Display::RedrawWhole() {
    if (frame_) frame_->RedrawAll();
}

bool Display::KeepsStillThings() const { return running_ && frame_->PartsShown(); }

void Display::SetVSync(bool enabled) {
    vsync_ = enabled;
    if (!running_) return;
    // Only the last swap of a frame waits for the vertical blank; the others would hold
    // the frame back one refresh each.
    for (platform::WindowHandle shown : monitorWindows_)
        layer_->SetSwapInterval(shown, enabled && shown == window_ ? 1 : 0);
    pacer_.Start(platform::Screen().RefreshRate(window_), enabled);
}

void Display::UseOffScreenPicture() {
    if (offScreen_) return;
    layer_->MakePicture(renderSize_.width, renderSize_.height, samples_, options_.gamma);
    offScreen_ = true;
    // The new picture holds nothing yet.
    if (frame_) frame_->RedrawAll();
}

void Display::FollowWindow() {
    platform::PixelSize size = platform::Screen().DrawableSize(window_);
    WindowRect rect = PictureRect(size);
    // A window resized since the start (another program's) no longer shows the picture at
    // the size it is drawn: from then on it gets a fitted copy, as several monitors do.
    if (rect.width != renderSize_.width || rect.height != renderSize_.height) {
        UseOffScreenPicture();
        return;
    }
    windowSize_ = size;
    pictureViewport_ = PictureViewport(rect, size, PictureDrift(Now()));
}

void Display::FollowMonitorWindows() {
    std::vector<platform::WindowHandle> now = ShownOrder(platform::Screen().MonitorWindows(window_));
    if (now == monitorWindows_) return;
    monitorWindows_ = std::move(now);
    // A window of a handle seen before may be a new one, whose back buffer holds nothing.
    shows_.clear();
    // A copy of the picture for each.
    if (monitorWindows_.size() > 1) UseOffScreenPicture();
}

FrameDestination Display::Destination() const {
    // The picture has no bars of its own.
    if (offScreen_)
        return {true, samples_ > 0, window_, renderSize_, {0, 0, renderSize_.width, renderSize_.height}, ground_, ground_};
    return {false, false, window_, windowSize_, pictureViewport_, ground_, barColour_};
}

void Display::Clear(std::uint32_t rgb) {
    RequireRunning();
    ColorBytes bytes = UnpackColor(rgb, ColorLayout::RedHigh);
    ground_ = glm::vec3(bytes.red / 255.0f, bytes.green / 255.0f, bytes.blue / 255.0f);
    if (!offScreen_) FollowWindow();
    frame_->Begin(Destination());
}

bool Display::Drawing(const Change& change) {
    RequireRunning();
    return frame_->Drawing(change);
}

WindowRect Display::PictureRect(platform::PixelSize window) const {
    return FitPicture(options_.width, options_.height, window.width, window.height, options_.keepAspect);
}

void Display::ShowIn(platform::WindowHandle window, const glm::vec2& drift, const GlRect* changed,
                     WindowPixels* shown) {
    platform::PixelSize size = platform::Screen().DrawableSize(window);
    GlRect viewport = PictureViewport(PictureRect(size), size, drift);
    WindowShow& last = shows_[window];
    // What the window shows outside the part is right only where the copy lies where it
    // lay, at the same size (the drift moves it a pixel at times).
    bool moved = last.size.width != size.width || last.size.height != size.height || !SameRect(last.viewport, viewport);
    if (moved) last.wholeToCome = kWholeShowsAfterChange;
    double now = Now();
    bool inPart = changed && last.parts && last.wholeToCome == 0 && now - last.wholeAt < kWholeShownEvery;
    last.size = size;
    last.viewport = viewport;
    if (!inPart) {
        last.wholeToCome = std::max(last.wholeToCome - 1, 0);
        last.wholeAt = now;
    }
    layer_->DrawIntoWindow(window, {0, 0, size.width, size.height});
    if (inPart) {
        GlRect part = ShownPart(*changed, renderSize_, viewport, size);
        layer_->ShowPicture(size, viewport, barColour_, &part);
        if (shown) ReadShown(size, shown);
        if (layer_->PresentPart(window, part)) return;
        // The window cannot keep its back buffer (or lost it with its device): it is
        // shown whole from now on.
        last.parts = false;
    }
    layer_->ShowPicture(size, viewport, barColour_, nullptr);
    if (shown) ReadShown(size, shown);
    layer_->Present(window);
}

void Display::ReadShown(platform::PixelSize size, WindowPixels* shown) const {
    // The back buffer of the window drawn into, just before it is shown: what the window
    // will show.
    shown->width = size.width;
    shown->height = size.height;
    shown->rgba = layer_->Read(DrawingLayer::Source::Window, {0, 0, size.width, size.height}, size.width, size.height);
}

void Display::ShowOffScreenPicture(WindowPixels* shown) {
    GlRect changed = frame_->Whole() ? GlRect{0, 0, renderSize_.width, renderSize_.height} : frame_->Area();
    // A part drawn into a picture lost meanwhile is not shown; the next frame is drawn
    // whole.
    if (!layer_->FinishPicture(changed) && !frame_->Whole()) {
        frame_->RedrawAll();
        return;
    }
    glm::vec2 drift = PictureDrift(Now());
    for (platform::WindowHandle window : monitorWindows_)
        ShowIn(window, drift, frame_->Whole() ? nullptr : &changed, window == window_ ? shown : nullptr);
}

void Display::Present(WindowPixels* shown) {
    RequireRunning();
    frame_->LeaveArea();
    bool awake = pacer_.MonitorsAwake();
    if (awake) {
        FollowMonitorWindows();
        if (offScreen_) {
            ShowOffScreenPicture(shown);
        } else {
            if (shown) ReadShown(windowSize_, shown);
            frame_->Show();
        }
        pacer_.WaitForNextFrame();
    }
    double now = Now();
    frame_->Close(awake, now);
    elapsed_ = lastPresent_ < 0 ? 0.0f : static_cast<float>(now - lastPresent_);
    lastPresent_ = now;
    frame_->Begin(Destination());
}

glm::mat4 Display::Projection() const {
    float aspect = static_cast<float>(options_.width) / static_cast<float>(options_.height);
    return glm::perspectiveLH_NO(glm::radians(kFieldOfViewDegrees), aspect, kNearDistance,
                                 std::max(farDistance_, kNearDistance * 2));
}

glm::mat4 Display::PixelProjection() const {
    return glm::ortho(0.0f, static_cast<float>(options_.width), static_cast<float>(options_.height),
                      0.0f, -1.0f, 1.0f);
}

void Display::ToDisplayPixels(platform::WindowHandle window, int& x, int& y) const {
    if (!running_) return;
    // Before any event names a window the position counts in the saver window's own.
    bool known = std::find(monitorWindows_.begin(), monitorWindows_.end(), window) != monitorWindows_.end();
    WindowRect rect = PictureRect(platform::Screen().DrawableSize(known ? window : window_));
    WindowToPicture(rect, options_.width, options_.height, x, y);
}

std::vector<std::uint8_t> Display::ReadPixels() {
    RequireRunning();
    frame_->LeaveArea();
    // Scaled to the display's size on the way out, as the stills and tests take it.
    std::vector<std::uint8_t> pixels =
        offScreen_ ? layer_->Read(DrawingLayer::Source::Picture, {0, 0, renderSize_.width, renderSize_.height},
                                  options_.width, options_.height)
                   : layer_->Read(DrawingLayer::Source::Window, pictureViewport_, options_.width, options_.height);
    frame_->Bind();
    frame_->KeepToArea();
    return pixels;
}

}  // namespace engine

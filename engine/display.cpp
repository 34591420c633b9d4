#include "engine/display.h"

#include <glad/gl.h>

#include <algorithm>
#include <glm/gtc/matrix_transform.hpp>

#include "common/runtime_error.h"
#include "engine/clock.h"
#include "engine/gl_context.h"

namespace engine {

namespace {
// The lens: a vertical field of view in which a pumpkin some 110 units tall at 300
// units' distance fills about half the picture, with room above it for the smoke.
constexpr float kFieldOfViewDegrees = 45.0f;
constexpr float kNearDistance = 1.0f;

// GL gives the bottom row first.
void FlipRows(std::vector<std::uint8_t>& pixels, int width, int height) {
    std::size_t row = static_cast<std::size_t>(width) * 4;
    for (int top = 0, bottom = height - 1; top < bottom; ++top, --bottom)
        std::swap_ranges(pixels.begin() + top * row, pixels.begin() + (top + 1) * row, pixels.begin() + bottom * row);
}
}  // namespace

WindowRect FitPicture(int pictureWidth, int pictureHeight, int windowWidth, int windowHeight,
                      bool keepAspect) {
    if (!keepAspect) return {0, 0, windowWidth, windowHeight};
    // Compare the aspects in whole numbers so that an exact fit leaves no stray bar.
    WindowRect rect;
    if (static_cast<long long>(windowWidth) * pictureHeight >
        static_cast<long long>(windowHeight) * pictureWidth) {
        rect.height = windowHeight;
        rect.width = static_cast<int>(static_cast<long long>(windowHeight) * pictureWidth / pictureHeight);
    } else {
        rect.width = windowWidth;
        rect.height = static_cast<int>(static_cast<long long>(windowWidth) * pictureHeight / pictureWidth);
    }
    rect.x = (windowWidth - rect.width) / 2;
    rect.y = (windowHeight - rect.height) / 2;
    return rect;
}

void WindowToPicture(const WindowRect& rect, int pictureWidth, int pictureHeight, int& x, int& y) {
    if (rect.width <= 0 || rect.height <= 0) return;
    long long px = static_cast<long long>(x - rect.x) * pictureWidth / rect.width;
    long long py = static_cast<long long>(y - rect.y) * pictureHeight / rect.height;
    x = static_cast<int>(std::clamp<long long>(px, 0, pictureWidth - 1));
    y = static_cast<int>(std::clamp<long long>(py, 0, pictureHeight - 1));
}

void Display::Start(const DisplayOptions& options, platform::WindowHandle window) {
    if (running_) throw RuntimeError(ErrorCode::InvalidArgument, "the display is already started");
    if (options.width <= 0 || options.height <= 0 || options.antialiasSamples < 0 ||
        options.gamma <= 0)
        throw RuntimeError(ErrorCode::InvalidArgument, "the display's size, samples or gamma is out of range");
    if (options.fillWindow) platform::Screen().CoverMonitor(window);
    StartGlContext(window);
    try {
        options_ = options;
        window_ = window;
        target_ = std::make_unique<RenderTarget>(options.width, options.height, options.antialiasSamples);
        presentPass_ = std::make_unique<PresentPass>(options.gamma);
    } catch (...) {
        target_.reset();
        presentPass_.reset();
        StopGlContext(window);
        throw;
    }
    running_ = true;
    platform::Screen().SetSwapInterval(vsync_ ? 1 : 0);
    lastPresent_ = -1;
    elapsed_ = 0;
    target_->Bind();
}

void Display::Stop() {
    if (!running_) return;
    target_.reset();
    presentPass_.reset();
    StopGlContext(window_);
    running_ = false;
}

void Display::RequireRunning() const {
    if (!running_) throw RuntimeError(ErrorCode::InvalidArgument, "the display has not been started");
}

void Display::SetVSync(bool enabled) {
    vsync_ = enabled;
    if (running_) platform::Screen().SetSwapInterval(enabled ? 1 : 0);
}

void Display::Clear(std::uint32_t rgb) {
    RequireRunning();
    target_->Bind();
    glDepthMask(GL_TRUE);
    glClearColor(((rgb >> 16) & 0xFF) / 255.0f, ((rgb >> 8) & 0xFF) / 255.0f, (rgb & 0xFF) / 255.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void Display::Present(WindowPixels* shown) {
    RequireRunning();
    target_->Resolve();
    platform::PixelSize window = platform::Screen().DrawableSize(window_);
    WindowRect rect = FitPicture(options_.width, options_.height, window.width, window.height,
                                 options_.keepAspect);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, window.width, window.height);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glClearColor(barColour_.r, barColour_.g, barColour_.b, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    // GL counts window rows from the bottom.
    glViewport(rect.x, window.height - rect.y - rect.height, rect.width, rect.height);
    presentPass_->Draw(target_->Texture());
    if (shown) {
        // The back buffer, just before it is shown: what the window will show.
        shown->width = window.width;
        shown->height = window.height;
        shown->rgba.resize(static_cast<std::size_t>(window.width) * window.height * 4);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, window.width, window.height, GL_RGBA, GL_UNSIGNED_BYTE, shown->rgba.data());
        FlipRows(shown->rgba, window.width, window.height);
    }
    platform::Screen().SwapBuffers(window_);
    double now = Now();
    elapsed_ = lastPresent_ < 0 ? 0.0f : static_cast<float>(now - lastPresent_);
    lastPresent_ = now;
    target_->Bind();
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

void Display::ToDisplayPixels(int& x, int& y) const {
    if (!running_) return;
    platform::PixelSize window = platform::Screen().DrawableSize(window_);
    WindowRect rect = FitPicture(options_.width, options_.height, window.width, window.height,
                                 options_.keepAspect);
    WindowToPicture(rect, options_.width, options_.height, x, y);
}

std::vector<std::uint8_t> Display::ReadPixels() const {
    RequireRunning();
    target_->Resolve();
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(options_.width) * options_.height * 4);
    glBindFramebuffer(GL_FRAMEBUFFER, target_->ResolvedFramebuffer());
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, options_.width, options_.height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    target_->Bind();
    FlipRows(pixels, options_.width, options_.height);
    return pixels;
}

}  // namespace engine

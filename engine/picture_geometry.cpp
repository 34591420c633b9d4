#include "engine/picture_geometry.h"

#include <algorithm>
#include <cmath>

namespace engine {

namespace {
// The picture's wandering. Across, once there and back in 48 minutes: over most of a 16:9
// screen's bars that is a pixel every 3 s at 1080p, every 1.7 s at 4K. Up and down, where
// there is rarely a bar, over a few per cent of the picture in a period of its own, so that
// the two together trace a path that takes hours to come round.
constexpr double kDriftPeriodSeconds[2] = {2880.0, 2000.0};
constexpr double kShareOfBars = 0.9;
constexpr double kShareOfPicture = 0.03;

// 0 at the start of a turn, then up to 1, down to -1 and back to 0, at an even pace.
double ToAndFro(double seconds, double period) {
    double phase = std::fmod(std::max(seconds, 0.0), period) / period;
    if (phase < 0.25) return 4.0 * phase;
    if (phase < 0.75) return 2.0 - 4.0 * phase;
    return 4.0 * phase - 4.0;
}

// How far the picture may wander each way along one axis, in window pixels.
int DriftRoom(int bar, int pictureSize) {
    return static_cast<int>(std::max(std::floor(kShareOfBars * std::max(bar, 0)),
                                     std::round(kShareOfPicture * pictureSize)));
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

platform::PixelSize RenderSize(const DisplayOptions& options,
                               const std::vector<platform::PixelSize>& windows, long pixelBudget) {
    platform::PixelSize size{0, 0};
    for (const platform::PixelSize& window : windows) {
        WindowRect rect = FitPicture(options.width, options.height, window.width, window.height,
                                     options.keepAspect);
        if (static_cast<long long>(rect.width) * rect.height > static_cast<long long>(size.width) * size.height)
            size = {rect.width, rect.height};
    }
    // No window to measure (or an empty one): the display's own size.
    if (size.width <= 0 || size.height <= 0) size = {options.width, options.height};
    double pixels = static_cast<double>(size.width) * size.height;
    if (pixelBudget > 0 && pixels > static_cast<double>(pixelBudget)) {
        double scale = std::sqrt(static_cast<double>(pixelBudget) / pixels);
        size.width = std::max(1, static_cast<int>(size.width * scale));
        size.height = std::max(1, static_cast<int>(size.height * scale));
    }
    return size;
}

GlRect PictureViewport(const WindowRect& rect, platform::PixelSize window, const glm::vec2& drift) {
    int x = static_cast<int>(std::lround(drift.x * DriftRoom(rect.x, rect.width)));
    int y = static_cast<int>(std::lround(drift.y * DriftRoom(rect.y, rect.height)));
    // GL counts window rows from the bottom.
    return {rect.x + x, window.height - rect.y - rect.height - y, rect.width, rect.height};
}

GlRect ShownPart(const GlRect& part, platform::PixelSize picture, const GlRect& viewport, platform::PixelSize window) {
    if (part.width <= 0 || part.height <= 0 || picture.width <= 0 || picture.height <= 0) return {};
    auto scaled = [](int from, int to, int pictureSide, int viewportStart, int viewportSide, int windowSide, int& start,
                     int& size) {
        double scale = static_cast<double>(viewportSide) / pictureSide;
        double low = std::floor(viewportStart + (from - 1) * scale), high = std::ceil(viewportStart + (to + 1) * scale);
        low = std::max({low, static_cast<double>(viewportStart), 0.0});
        high = std::min({high, static_cast<double>(viewportStart) + viewportSide, static_cast<double>(windowSide)});
        start = static_cast<int>(low);
        size = std::max(static_cast<int>(high - low), 0);
    };
    GlRect shown;
    scaled(part.x, part.x + part.width, picture.width, viewport.x, viewport.width, window.width, shown.x, shown.width);
    scaled(part.y, part.y + part.height, picture.height, viewport.y, viewport.height, window.height, shown.y,
           shown.height);
    if (shown.width <= 0 || shown.height <= 0) return {};
    return shown;
}

glm::vec2 PictureDrift(double seconds) {
    return {static_cast<float>(ToAndFro(seconds, kDriftPeriodSeconds[0])),
            static_cast<float>(ToAndFro(seconds, kDriftPeriodSeconds[1]))};
}

}  // namespace engine

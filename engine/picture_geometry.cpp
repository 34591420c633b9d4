#include "engine/picture_geometry.h"

#include <algorithm>
#include <cmath>

namespace engine {

namespace {
// The picture's drift: a figure of eight a few pixels across, once round in ten minutes,
// so slow that each coordinate moves a pixel at most every quarter of a minute.
constexpr double kDriftPixels = 3.0;
constexpr double kDriftPeriodSeconds = 600.0;
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

GlRect PictureViewport(const WindowRect& rect, platform::PixelSize window, const glm::ivec2& drift) {
    // GL counts window rows from the bottom.
    return {rect.x + drift.x, window.height - rect.y - rect.height - drift.y, rect.width, rect.height};
}

glm::ivec2 PictureDrift(double seconds) {
    double turn = 2.0 * 3.14159265358979323846 * std::fmod(std::max(seconds, 0.0), kDriftPeriodSeconds) /
                  kDriftPeriodSeconds;
    return {static_cast<int>(std::lround(kDriftPixels * std::sin(turn))),
            static_cast<int>(std::lround(kDriftPixels * std::sin(2.0 * turn)))};
}

}  // namespace engine

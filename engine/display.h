// The display the engine draws into: the window's GL context, the off-screen picture of
// the display's size, its scaling onto the window, the frame clock and the camera's lens.
#pragma once
#include <glm/glm.hpp>

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/present_pass.h"
#include "engine/render_target.h"
#include "seams/display.h"

namespace engine {

struct DisplayOptions {
    int width = 800;
    int height = 600;
    bool keepAspect = true;
    bool fillWindow = true;
    int antialiasSamples = 0;
    float gamma = 1.0f;
};

// Where the picture lands in the window, in window pixels from the top left.
struct WindowRect {
    int x = 0, y = 0, width = 0, height = 0;
};

WindowRect FitPicture(int pictureWidth, int pictureHeight, int windowWidth, int windowHeight,
                      bool keepAspect);

// A position in window pixels as a pixel of the picture, held inside it.
void WindowToPicture(const WindowRect& rect, int pictureWidth, int pictureHeight, int& x, int& y);

class Display {
public:
    void Start(const DisplayOptions& options, platform::WindowHandle window);
    void Stop();
    bool Running() const { return running_; }
    // Throws the engine's failure when the display has not been started.
    void RequireRunning() const;

    void SetVSync(bool enabled);
    void SetBarColour(const glm::vec3& colour) { barColour_ = colour; }
    void SetFarDistance(float distance) { farDistance_ = distance; }

    // Makes the off-screen picture the destination and clears it and its depth.
    void Clear(std::uint32_t rgb);
    // Scales the picture onto the window and shows it; drawing then goes on into the
    // off-screen picture again. A test may ask for what the window shows.
    struct WindowPixels {
        int width = 0, height = 0;
        std::vector<std::uint8_t> rgba;  // rows from the top
    };
    void Present(WindowPixels* shown = nullptr);
    // Seconds between the two most recent presents.
    float ElapsedTime() const { return elapsed_; }

    int Width() const { return options_.width; }
    int Height() const { return options_.height; }
    // The lens: the camera at the origin looking along +z, y up, left-handed.
    glm::mat4 Projection() const;
    // Display pixels, (0, 0) at the top left.
    glm::mat4 PixelProjection() const;
    // A window position in display pixels, held inside the picture.
    void ToDisplayPixels(int& x, int& y) const;
    // The picture as it stands, rows from the top, four bytes RGBA a pixel.
    std::vector<std::uint8_t> ReadPixels() const;

private:
    bool running_ = false;
    bool vsync_ = false;
    DisplayOptions options_;
    platform::WindowHandle window_ = 0;
    std::unique_ptr<RenderTarget> target_;
    std::unique_ptr<PresentPass> presentPass_;
    glm::vec3 barColour_{0, 0, 0};
    float farDistance_ = 10000.0f;
    double lastPresent_ = -1;
    float elapsed_ = 0;
};

}  // namespace engine

// The frame rate written in the picture's lower left corner ("24.5 fps"), in a small
// pixel font of our own, white over a dark band so that it reads over any scene.
#pragma once
#include <glad/gl.h>
#include <glm/glm.hpp>

namespace engine {

class Display;
class SpriteRenderer;

class FrameRateText {
public:
    // Needs the display's GL context, as its font texture lives there.
    FrameRateText();
    ~FrameRateText();
    FrameRateText(const FrameRateText&) = delete;
    FrameRateText& operator=(const FrameRateText&) = delete;

    // Draws over the frame; a negative rate (none counted yet) draws nothing.
    void Draw(double rate, SpriteRenderer& sprites, Display& display);

private:
    GLuint font_ = 0;
};

}  // namespace engine

// The frame rate written in the picture's lower left corner ("24.5 fps"), in a small
// pixel font of our own, white over a dark band so that it reads over any scene.
#pragma once
#include <memory>

namespace engine {

class Display;
class DrawingLayer;
class LayerTexture;

class FrameRateText {
public:
    // Its font texture lives in the display's drawing layer.
    explicit FrameRateText(DrawingLayer& layer);
    ~FrameRateText();
    FrameRateText(const FrameRateText&) = delete;
    FrameRateText& operator=(const FrameRateText&) = delete;

    // Draws over the frame; a negative rate (none counted yet) draws nothing.
    void Draw(double rate, Display& display);

private:
    std::unique_ptr<LayerTexture> font_;
};

}  // namespace engine

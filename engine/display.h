// The display the engine draws into: the GL context shown on each of the saver window's
// monitor windows, the picture drawn once a frame at the largest size any monitor shows
// it (its geometry in engine/picture_geometry.h) and shown on each monitor, the frame
// pacing, the frame clock and the camera's lens.
//
// Where the picture is drawn: where one window shows it at exactly the size it is drawn,
// without multisampling or gamma, straight into that window's back buffer at its fitted
// place, since a copy of every pixel a frame would cost as much as the scene on a
// software renderer. Otherwise (several monitors, multisampling, a gamma, the size
// capped, a window without depth, or one resized since the start) into an off-screen
// picture, of which each monitor window is shown a fitted copy. Either way a frame draws
// only what changes; a window that shows the copy where it did the frame before, and
// keeps its back buffer, is shown only the part of the copy that the change reaches.
#pragma once
#include <glm/glm.hpp>

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "engine/frame_pacer.h"
#include "engine/picture_geometry.h"
#include "seams/display.h"

namespace engine {

struct Change;
struct FrameDestination;
class DrawingLayer;
class PartialFrame;

class Display {
public:
    Display();
    ~Display();
    Display(const Display&) = delete;
    Display& operator=(const Display&) = delete;

    // What a software renderer draws at most, in pixels (a 1080p monitor's 4:3 picture
    // fits), and without multisampling: beyond that it scales the picture up.
    static constexpr long kSoftwarePixelBudget = 2'100'000;

    void Start(const DisplayOptions& options, platform::WindowHandle window);
    void Stop();
    bool Running() const { return running_; }
    // What the display draws with; throws the engine's failure when it has not been started.
    DrawingLayer& Layer();
    // Throws the engine's failure when the display has not been started.
    void RequireRunning() const;

    // On: waits for the vertical blank where offered and never shows frames faster than
    // the monitor refreshes. Off: shows every frame at once (the benchmark's loops).
    void SetVSync(bool enabled);
    void SetBarColour(const glm::vec3& colour) { barColour_ = colour; }
    void SetFarDistance(float distance) { farDistance_ = distance; }
    // The next frame is drawn whole, however little changes in it.
    void RedrawWhole();

    // Makes the picture the destination of a new frame, to be cleared (and the depth) to
    // the colour, and the bars around it, where it is drawn into the window, to the bar
    // colour. The clearing waits for the first thing drawn (see Drawing).
    void Clear(std::uint32_t rgb);
    // Before each thing is drawn: where it lies, whether it changed and what it is drawn
    // with (see engine/partial_frame.h). False when the thing is not to be drawn: it
    // stands still, looks as before, and its picture was put back.
    bool Drawing(const Change& change);
    // Whether still things are kept from frame to frame, so that a light on them that
    // changes less often saves whole redraws of them.
    bool KeepsStillThings() const;
    // Fits the picture onto each monitor window and shows it, then waits for the next
    // frame's turn; while the monitors are powered down it shows nothing and waits for
    // input or for them instead. Drawing then goes on into the picture again.
    // A test may ask for what the first window shows.
    struct WindowPixels {
        int width = 0, height = 0;
        std::vector<std::uint8_t> rgba;  // rows from the top
    };
    void Present(WindowPixels* shown = nullptr);
    // Seconds between the two most recent presents.
    float ElapsedTime() const { return elapsed_; }

    // Whether the picture is drawn with several samples a pixel, which smooth its edges.
    bool Multisampled() const { return samples_ > 0; }
    // The picture's size in the pixels it is drawn at.
    int Width() const { return renderSize_.width; }
    int Height() const { return renderSize_.height; }
    // The lens: the camera at the origin looking along +z, y up, left-handed.
    glm::mat4 Projection() const;
    // Display pixels (the options' width and height), (0, 0) at the top left.
    glm::mat4 PixelProjection() const;
    int DisplayHeight() const { return options_.height; }
    // A position in the pixels of one of the monitor windows in display pixels, held
    // inside the picture that window shows.
    void ToDisplayPixels(platform::WindowHandle window, int& x, int& y) const;
    // The picture as it stands at the display's size (the options' width and height),
    // rows from the top, four bytes RGBA a pixel: read before the frame is presented, as
    // a window's back buffer holds nothing certain after it.
    std::vector<std::uint8_t> ReadPixels();

private:
    // Where the picture lands in a monitor window, before its drift.
    WindowRect PictureRect(platform::PixelSize window) const;
    void UseOffScreenPicture();
    // Places the picture drawn into the window at its fitted and drifted place for this
    // frame, or turns to the off-screen picture when the window no longer fits its size.
    void FollowWindow();
    // Takes up the monitor windows as the window system names them now: a monitor plugged
    // in while the display runs gets the picture too.
    void FollowMonitorWindows();
    // Where this frame is drawn.
    FrameDestination Destination() const;
    void ReadShown(platform::PixelSize size, WindowPixels* shown) const;
    // Finishes the off-screen picture and shows it in each monitor window.
    void ShowOffScreenPicture(WindowPixels* shown);
    // Shows the off-screen picture in the window: only where the changed part of the
    // picture (null: all of it changed) lands, where the window can.
    void ShowIn(platform::WindowHandle window, const glm::vec2& drift, const GlRect* changed, WindowPixels* shown);

    bool running_ = false;
    bool vsync_ = false;
    DisplayOptions options_;
    platform::WindowHandle window_ = 0;
    std::vector<platform::WindowHandle> monitorWindows_;
    platform::PixelSize renderSize_;
    int samples_ = 0;
    std::unique_ptr<DrawingLayer> layer_;
    // False while the picture is drawn straight into the window, at pictureViewport_.
    bool offScreen_ = false;
    platform::PixelSize windowSize_;
    GlRect pictureViewport_;
    // How each monitor window last showed the off-screen picture, and whether it shows a
    // part of it.
    struct WindowShow {
        platform::PixelSize size;
        GlRect viewport;
        bool parts = true;
        // Whole shows still to come before a part, and when the last whole one was.
        int wholeToCome = 0;
        double wholeAt = -1;
    };
    // A window's back buffer may take up its new size a frame after the window did, empty:
    // so many whole shows follow a change of size or place, and one comes every so many
    // seconds besides, so that a back buffer lost under the parts is shown again.
    static constexpr int kWholeShowsAfterChange = 3;
    static constexpr double kWholeShownEvery = 1.0;
    std::map<platform::WindowHandle, WindowShow> shows_;
    std::unique_ptr<PartialFrame> frame_;
    glm::vec3 ground_{0, 0, 0};
    FramePacer pacer_;
    glm::vec3 barColour_{0, 0, 0};
    float farDistance_ = 10000.0f;
    double lastPresent_ = -1;
    float elapsed_ = 0;
};

}  // namespace engine

// The full-screen saver window: its load runs the scene set-up and then the frame loop
// for the rest of the saver's life; its unload releases the engine.
#pragma once
#include <cstdint>
#include <exception>
#include <string>

#include "common/flags.h"
#include "saver/saver_ending.h"
#include "saver/saver_state.h"
#include "saver/saver_window.h"

class FrmSaver : public saver::SaverState {
public:
    // The window of the session that ends it.
    explicit FrmSaver(mScreenSaver::SaverEnding& ending) : ending_(ending) {}
    FrmSaver(const FrmSaver&) = delete;
    FrmSaver& operator=(const FrmSaver&) = delete;

    // Builds the scene, shows the window and runs the frame loop; on a failure shows one
    // of the two messages and ends the saver.
    void Load();
    // Stops the frame loop, releases every engine object and closes the window. Runs from
    // the ending routine, or when the window system closes the window.
    void Unload();

    // Shows the window again, in front (the saver goes on after a refused password).
    void Show();
    platform::WindowHandle hWnd() const { return window_; }

    // The frame loop; returns when Running is false after a pass.
    void RenderLoop();
    // Shows or hides the mouse cursor through the engine; nothing before the engine exists.
    void ShowWinCursor(const Flag& visible);
    // The exit detector's per-frame look at the mouse.
    void CheckMouseMove(const std::int32_t& x, const std::int32_t& y);

private:
    void DrawLoadingPicture();
    void RunLoopPass();
    void TurnPumpkinWithMouse(std::int32_t mouseX, std::int32_t mouseY);
    // Writes the event file's mouse-seen line when the cursor stands somewhere new.
    void NoteMouseSeen(std::int32_t x, std::int32_t y);
    void WaitForUserAfterRefusal();
    void CloseFromOutside();
    // True when an unload ran while control was away (event pump, password prompt); the
    // engine objects are gone then and must not be touched.
    bool UnloadedMeanwhile();

    mScreenSaver::SaverEnding& ending_;
    platform::WindowHandle window_ = 0;
    // A failure of an unload that the window system started, kept until control is back
    // in our own code, so that it never unwinds through the window system's frames.
    std::exception_ptr closeFailure_;
    // Where the last mouse-seen line put the cursor; none was written yet.
    std::int32_t mouseNotedX_ = -1;
    std::int32_t mouseNotedY_ = -1;
};

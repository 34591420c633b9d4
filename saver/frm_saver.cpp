// The full-screen saver window frmSaver, its life in order: the load with its single
// failure road, the frame loop's pass, the unload that releases the engine, and the wait
// after a refused password.
#include "saver/frm_saver.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <utility>

#include "common/event_note.h"
#include "common/numeric_text.h"
#include "common/runtime_error.h"
#include "saver/candle_scene.h"
#include "saver/saver_messages.h"
#include "seams/toolkit.h"
#include "settings/settings.h"
#include "settings/settings_files.h"

namespace {

using saver::DisplayHeight;
using saver::DisplayWidth;
constexpr std::int32_t LoadingWidth = 256;
constexpr std::int32_t LoadingHeight = 64;
// Mouse movement up to this much in either direction is the hand resting, not a move.
constexpr std::int64_t Jitter = 3;

// The single a turned angle is stored as; an angle that is no longer a finite number is
// a floating-point fault, which goes to set-up's failure road like any other failure.
float TurnedAngle(double angle) {
    if (!std::isfinite(angle)) throw RuntimeError(ErrorCode::Overflow);
    return ToSingle(angle);
}

struct MousePosition {
    std::int32_t x = 0, y = 0;
};

MousePosition PollMouse(saver::Input& input) {
    MousePosition at;
    Flag button1 = False, button2 = False, button3 = False;
    std::int32_t wheel = 0;
    input.GetMouseState(at.x, at.y, button1, button2, button3, wheel);
    return at;
}

bool MovedFrom(const MousePosition& from, const MousePosition& to) {
    return std::llabs(static_cast<std::int64_t>(to.x) - from.x) > Jitter ||
           std::llabs(static_cast<std::int64_t>(to.y) - from.y) > Jitter;
}

bool KeyDown(saver::Input& input) {
    std::int32_t key = 0;
    Flag held = False;
    input.GetLastKey(key, held);
    return input.IsKeyPressed(key) != 0;
}

}  // namespace

// ---- Load: the set-up in its fixed order, then the frame loop for the saver's life.

void FrmSaver::Load() {
    std::string message = saver::CannotDisplayMessage;
    std::string reason;
    try {
        window_ = saver::SaverWindows().Create([this] { CloseFromOutside(); });
        saver::CreateEngineObjects(*this);
        saver::StartSaverDisplay(*this, mScreenSaver::MediaFolderPath(), window_);

        message = saver::FilesMissingMessage();
        saver::ReadCandleSettings(*this, mScreenSaver::FindSettingsFiles().toRead);
        ShowWinCursor(False);
        DrawLoadingPicture();
        saver::BuildCandleScene(*this, saver::CandleBrightness(*this));
        Show();

        Running = True;
        RenderLoop();
        return;
    } catch (const std::exception& failure) {
        // Every failure of set-up and of the loop inside it ends up here; the box's fixed
        // text is for the user, what failed is kept for whoever looks into it.
        reason = failure.what();
    }
    NoteEvent("setup-failure " + QuotedForEvent(reason));
    std::fprintf(stderr, "kelvora: %s\nkelvora: %s\n", message.c_str(), reason.c_str());
    std::fflush(stderr);
    ending_.ReportFatalError(message);
    // Back here only when the password was refused: no scene to draw, so wait for the
    // user to come back and ask again.
    WaitForUserAfterRefusal();
}

void FrmSaver::DrawLoadingPicture() {
    const float left = (DisplayWidth - LoadingWidth) / 2;
    const float top = (DisplayHeight - LoadingHeight) / 2;
    TexFactory->LoadTexture(mScreenSaver::MediaFolderPath() + "loading.jpg", "Loading", -1, -1,
                            0, True, True);
    std::int32_t loading = saver::Engines().Globals().GetTextureId("Loading");
    Draw2D->DrawTexture(loading, left, top, left + LoadingWidth, top + LoadingHeight, -1, -2, -2,
                        -2, 0, 0, 1, 1);
    // The picture stays up while the rest is built.
    Engine->PresentFrame();
    NoteEvent("loading-presented");
}

// ---- The frame loop: one pass pumps events, polls mouse and keyboard, poses the
// pumpkin, draws the scene and both particle systems and presents the frame.

void FrmSaver::RenderLoop() {
    do {
        RunLoopPass();
    } while (Running);
}

void FrmSaver::RunLoopPass() {
    platform::App().DoEvents();
    if (UnloadedMeanwhile()) return;

    std::int32_t mouseX = 0, mouseY = 0, wheel = 0;
    Flag button1 = False, button2 = False, button3 = False;
    Input->GetMouseState(mouseX, mouseY, button1, button2, button3, wheel);
    if (!MoveMode) {
        CheckMouseMove(mouseX, mouseY);
        if (UnloadedMeanwhile()) return;
    } else if (button1) {
        TurnPumpkinWithMouse(mouseX, mouseY);
    }
    NoteMouseSeen(mouseX, mouseY);

    std::int32_t key = 0;
    Flag held = False;
    Input->GetLastKey(key, held);
    if (Input->IsKeyPressed(key)) {
        NoteEvent("key-seen " + std::to_string(key));
        ending_.EndSaver();
        // Back only after a refused password; the prompt may have let an unload in.
        if (UnloadedMeanwhile()) return;
    }

    saver::DrawCandleFrame(*this);
    Engine->PresentFrame();
    NoteFirstFrame();
}

// A jump of more than the jitter in either value, from a stored position above 0 in
// both, is a move worth counting.
void FrmSaver::CheckMouseMove(const std::int32_t& x, const std::int32_t& y) {
    // In 64 bits, so that positions at opposite ends of the 32-bit range still compare.
    std::int64_t dx = std::llabs(static_cast<std::int64_t>(x) - LastMouseX);
    std::int64_t dy = std::llabs(static_cast<std::int64_t>(y) - LastMouseY);
    if ((dx > Jitter || dy > Jitter) && LastMouseX > 0 && LastMouseY > 0) {
        ending_.CountMouseMove();
    }
    LastMouseX = x;
    LastMouseY = y;
}

// After the position was handled, so that a test that reads the line knows the move
// has had its effect, or none.
void FrmSaver::NoteMouseSeen(std::int32_t x, std::int32_t y) {
    if (x == mouseNotedX_ && y == mouseNotedY_) return;
    mouseNotedX_ = x;
    mouseNotedY_ = y;
    NoteEvent("mouse-seen " + std::to_string(x) + " " + std::to_string(y));
}

void FrmSaver::TurnPumpkinWithMouse(std::int32_t mouseX, std::int32_t mouseY) {
    double t = Engine->ElapsedTime();
    Rotation.x = TurnedAngle(Rotation.x - t * mouseY / 3.0);
    t = Engine->ElapsedTime();
    Rotation.y = TurnedAngle(Rotation.y - t * mouseX / 3.0);
}

void FrmSaver::ShowWinCursor(const Flag& visible) {
    if (!Engine) return;
    Engine->ShowCursor(visible);
}

bool FrmSaver::UnloadedMeanwhile() {
    if (Running) return false;
    if (closeFailure_) std::rethrow_exception(std::exchange(closeFailure_, nullptr));
    return true;
}

// ---- Unload: the loop is told to stop, the engine objects go in their fixed order
// with the engine last, then the window itself.

void FrmSaver::Unload() {
    Running = False;
    auto closeWindow = [this] {
        if (window_) saver::SaverWindows().Destroy(std::exchange(window_, 0));
    };
    try {
        saver::ReleaseEngineObjects(*this);
    } catch (...) {
        // The rest of the release is abandoned, but the window must not outlive it.
        closeWindow();
        throw;
    }
    closeWindow();
}

void FrmSaver::Show() {
    if (window_) saver::SaverWindows().Show(window_);
}

void FrmSaver::CloseFromOutside() {
    try {
        Unload();
    } catch (...) {
        closeFailure_ = std::current_exception();
    }
}

// ---- After a set-up failure whose ending was stopped by a refused password there is
// no frame loop; this waits for the user's next key or mouse movement and ends again.

void FrmSaver::WaitForUserAfterRefusal() {
    // The window stays open until the ending completes or the window system closes it.
    while (window_) {
        if (Input) {
            MousePosition start = PollMouse(*Input);
            do {
                platform::App().DoEvents();
            } while (window_ && Input && !KeyDown(*Input) && !MovedFrom(start, PollMouse(*Input)));
        } else {
            // Nothing to poll the user with: the password prompt itself waits for them.
            platform::App().DoEvents();
        }
        if (window_) ending_.EndSaver();
    }
    // A failed unload from outside has nobody above to tell; the process ends anyway.
    closeFailure_ = nullptr;
}

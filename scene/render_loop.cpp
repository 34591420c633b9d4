// The saver's frame loop: one pass pumps events, polls mouse and keyboard, poses the
// pumpkin, draws the scene and both particle systems and presents the frame.
#include <cmath>
#include <utility>

#include "common/numeric_text.h"
#include "common/runtime_error.h"
#include "host/ending.h"
#include "platform/toolkit.h"
#include "scene/first_frame_probe.h"
#include "scene/frm_saver.h"

namespace {

constexpr std::int32_t OrdinaryUpdate = 68;

// The single a turned angle is stored as; an angle that is no longer a finite number is
// a floating-point fault, which goes to set-up's failure road like any other failure.
float TurnedAngle(double angle) {
    if (!std::isfinite(angle)) throw RuntimeError(ErrorCode::Overflow);
    return ToSingle(angle);
}

}  // namespace

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

    std::int32_t key = 0;
    Flag held = False;
    Input->GetLastKey(key, held);
    if (Input->IsKeyPressed(key)) {
        mScreenSaver::EndSaver();
        // Back only after a refused password; the prompt may have let an unload in.
        if (UnloadedMeanwhile()) return;
    }

    Mesh->SetRotation(Rotation.x, Rotation.y, Rotation.z);
    Engine->ClearFrame(0);
    Scene->RenderAllMeshes(True);
    My_Particle1->Update(OrdinaryUpdate);
    My_Particle1->Render();
    My_Particle2->Update(OrdinaryUpdate);
    My_Particle2->Render();
    Engine->PresentFrame();
    scene::NoteScenePresented();
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

// The saver window's unload: the loop is told to stop, the engine objects go in their
// fixed order with the engine last, then the window itself.
#include <utility>

#include "scene/frm_saver.h"

namespace {

// Drops the window's reference; the particle system stops calling the window first, in
// case the engine keeps the object alive a little longer.
void ReleaseParticles(std::shared_ptr<scene::ParticleSystem>& system) {
    if (!system) return;
    system->SetNewParticleHandler(nullptr);
    system.reset();
}

}  // namespace

void FrmSaver::Unload() {
    Running = False;
    auto closeWindow = [this] {
        if (window_) platform::SaverWindows().Destroy(std::exchange(window_, 0));
    };
    try {
        ReleaseEngine();
    } catch (...) {
        // The rest of the release is abandoned, but the window must not outlive it.
        closeWindow();
        throw;
    }
    closeWindow();
}

void FrmSaver::ReleaseEngine() {
    View.reset();
    Draw2D.reset();
    ReleaseParticles(My_Particle1);
    ReleaseParticles(My_Particle2);
    TexFactory.reset();
    if (MatFactory) {
        MatFactory->CleanUp();
        MatFactory.reset();
    }
    Mesh.reset();
    Input.reset();
    Scene.reset();
    if (Lights) {
        Lights->CleanUp();
        Lights.reset();
    }
    if (Engine) {
        Engine->ShutDown();
        Engine.reset();
    }
}

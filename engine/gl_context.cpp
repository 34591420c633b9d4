#include "engine/gl_context.h"

#include <glad/gl.h>

#include <stdexcept>

#include "common/runtime_error.h"

namespace engine {

namespace {
bool contextAlive = false;

GLADapiproc LoadFunction(const char* name) {
    return reinterpret_cast<GLADapiproc>(platform::display::GlFunction(name));
}
}  // namespace

void StartGlContext(platform::display::WindowHandle window) {
    try {
        platform::display::StartGl(window);
    } catch (const std::runtime_error& failure) {
        throw RuntimeError(ErrorCode::InvalidArgument, failure.what());
    }
    if (!gladLoadGL(LoadFunction) || !GLAD_GL_VERSION_3_3) {
        platform::display::StopGl(window);
        throw RuntimeError(ErrorCode::InvalidArgument, "the display offers no OpenGL 3.3");
    }
    contextAlive = true;
}

void StopGlContext(platform::display::WindowHandle window) {
    contextAlive = false;
    platform::display::StopGl(window);
}

bool GlContextAlive() { return contextAlive; }

}  // namespace engine

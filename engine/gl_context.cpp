#include "engine/gl_context.h"

#include <glad/gl.h>

#include "common/runtime_error.h"

namespace engine {

namespace {
bool contextAlive = false;

GLADapiproc LoadFunction(const char* name) {
    return reinterpret_cast<GLADapiproc>(platform::Screen().GlFunction(name));
}
}  // namespace

void StartGlContext(platform::WindowHandle window) {
    platform::Screen().StartGl(window);
    if (!gladLoadGL(LoadFunction) || !GLAD_GL_VERSION_3_3) {
        platform::Screen().StopGl(window);
        throw RuntimeError(ErrorCode::InvalidArgument, "the display offers no OpenGL 3.3");
    }
    contextAlive = true;
}

void StopGlContext(platform::WindowHandle window) {
    contextAlive = false;
    platform::Screen().StopGl(window);
}

bool GlContextAlive() { return contextAlive; }

}  // namespace engine

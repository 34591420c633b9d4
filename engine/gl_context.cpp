#include "engine/gl_context.h"

#include <glad/gl.h>

#include <algorithm>
#include <cstring>

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

// Mesa's rasterisers that run on the processor, and Windows' own.
bool SoftwareRenderer() {
    const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    if (!renderer) return false;
    for (const char* name : {"llvmpipe", "softpipe", "Software", "GDI Generic"})
        if (std::strstr(renderer, name)) return true;
    return false;
}

// The samples asked for, as far as the GL offers them.
int OfferedSamples(int wanted) {
    if (wanted <= 0) return 0;
    GLint most = 0;
    glGetIntegerv(GL_MAX_SAMPLES, &most);
    return std::min(wanted, static_cast<int>(most));
}

// Whether the window's own framebuffer (the bound one) has a depth buffer to draw a scene
// with.
bool WindowHasDepth() {
    GLint type = GL_NONE;
    glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, GL_DEPTH, GL_FRAMEBUFFER_ATTACHMENT_OBJECT_TYPE, &type);
    if (type == GL_NONE) return false;
    GLint bits = 0;
    glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, GL_DEPTH, GL_FRAMEBUFFER_ATTACHMENT_DEPTH_SIZE, &bits);
    return bits >= 16;
}

}  // namespace engine

#include "backends/linux/glx_part_present.h"

#include <GL/glx.h>
#include <SDL2/SDL_syswm.h>

#include <cstring>

namespace platform {

namespace {

using CopySubBuffer = void (*)(::Display*, GLXDrawable, int, int, int, int);
using QueryExtensions = const char* (*)(::Display*, int);

// Looked up once: the GLX of one process does not change.
CopySubBuffer CopySubBufferOf(::Display* display) {
    static CopySubBuffer copy = [display]() -> CopySubBuffer {
        auto query = reinterpret_cast<QueryExtensions>(SDL_GL_GetProcAddress("glXQueryExtensionsString"));
        const char* extensions = query ? query(display, DefaultScreen(display)) : nullptr;
        // A whole word of the list: glXGetProcAddress answers for any name at all.
        if (!extensions) return nullptr;
        const char* name = "GLX_MESA_copy_sub_buffer";
        for (const char* at = std::strstr(extensions, name); at; at = std::strstr(at + 1, name)) {
            char after = at[std::strlen(name)];
            if ((at == extensions || at[-1] == ' ') && (after == ' ' || after == '\0'))
                return reinterpret_cast<CopySubBuffer>(SDL_GL_GetProcAddress("glXCopySubBufferMESA"));
        }
        return nullptr;
    }();
    return copy;
}

}  // namespace

bool PresentGlxPart(SDL_Window* window, const PixelArea& part) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return false;
    CopySubBuffer copy = CopySubBufferOf(info.info.x11.display);
    if (!copy) return false;
    // X refuses an empty copy; there is nothing to show.
    if (part.width > 0 && part.height > 0)
        copy(info.info.x11.display, info.info.x11.window, part.x, part.y, part.width, part.height);
    return true;
}

}  // namespace platform

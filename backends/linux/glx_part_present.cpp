#include "backends/linux/glx_part_present.h"

#include <GL/glx.h>
#include <SDL2/SDL_syswm.h>

#include <cstring>

namespace platform {

namespace {

using QueryExtensions = const char* (*)(::Display*, int);

// The copy GLX offers, or null.
void* CopySubBufferOf(::Display* display) {
    auto query = reinterpret_cast<QueryExtensions>(SDL_GL_GetProcAddress("glXQueryExtensionsString"));
    const char* extensions = query ? query(display, DefaultScreen(display)) : nullptr;
    // A whole word of the list: glXGetProcAddress answers for any name at all.
    if (!extensions) return nullptr;
    const char* name = "GLX_MESA_copy_sub_buffer";
    for (const char* at = std::strstr(extensions, name); at; at = std::strstr(at + 1, name)) {
        char after = at[std::strlen(name)];
        if ((at == extensions || at[-1] == ' ') && (after == ' ' || after == '\0'))
            return SDL_GL_GetProcAddress("glXCopySubBufferMESA");
    }
    return nullptr;
}

}  // namespace

bool GlxPartPresent::Present(SDL_Window* window, const PixelArea& part) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return false;
    if (!copy_) copy_ = reinterpret_cast<CopySubBuffer>(CopySubBufferOf(info.info.x11.display));
    CopySubBuffer copy = *copy_;
    if (!copy) return false;
    // X refuses an empty copy; there is nothing to show.
    if (part.width > 0 && part.height > 0)
        copy(info.info.x11.display, info.info.x11.window, part.x, part.y, part.width, part.height);
    return true;
}

}  // namespace platform

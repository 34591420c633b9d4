#include "backends/windows/win32_picture.h"

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#include <stb/stb_image.h>

namespace platform {

Win32Picture::Win32Picture(HBITMAP bitmap, int width, int height)
    : bitmap_(bitmap), width_(width), height_(height) {}

Win32Picture::~Win32Picture() { DeleteObject(bitmap_); }

SIZE Win32Picture::SizeAt(UINT dpi) const {
    return {MulDiv(width_, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI),
            MulDiv(height_, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI)};
}

void Win32Picture::Draw(HDC dc, int x, int y, UINT dpi) const {
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, bitmap_);
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    SIZE size = SizeAt(dpi);
    AlphaBlend(dc, x, y, size.cx, size.cy, source, 0, 0, width_, height_, blend);
    SelectObject(source, old);
    DeleteDC(source);
}

std::unique_ptr<Win32Picture> LoadResourcePicture(const char* name) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC resource = FindResourceA(module, name, MAKEINTRESOURCEA(10) /* RT_RCDATA */);
    if (!resource) return nullptr;
    HGLOBAL loaded = LoadResource(module, resource);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) return nullptr;
    int width = 0, height = 0, channels = 0;
    stbi_uc* rgba = stbi_load_from_memory(static_cast<const stbi_uc*>(bytes),
                                          static_cast<int>(SizeofResource(module, resource)),
                                          &width, &height, &channels, 4);
    if (!rgba) return nullptr;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows, as the PNG stores them
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (!bitmap) {
        stbi_image_free(rgba);
        return nullptr;
    }
    // AlphaBlend wants blue, green, red, alpha with each colour already weighted by alpha.
    auto* out = static_cast<unsigned char*>(pixels);
    for (int i = 0; i < width * height; ++i) {
        const stbi_uc* p = rgba + 4 * i;
        unsigned alpha = p[3];
        out[4 * i + 0] = static_cast<unsigned char>(p[2] * alpha / 255);
        out[4 * i + 1] = static_cast<unsigned char>(p[1] * alpha / 255);
        out[4 * i + 2] = static_cast<unsigned char>(p[0] * alpha / 255);
        out[4 * i + 3] = static_cast<unsigned char>(alpha);
    }
    stbi_image_free(rgba);
    return std::make_unique<Win32Picture>(bitmap, width, height);
}

}  // namespace platform

// frmPreview's native half on Windows: Picture1's persistent image as a memory device
// context holding a DIB section with the still.
#include <windows.h>

#include <memory>

#include <cstdint>
#include <vector>

#include "backends/windows/windows_backends.h"
#include "common/runtime_error.h"
#include "backends/still/preview_still.h"

namespace platform {

namespace {

class Win32PreviewHolder : public PreviewHolder {
public:
    void Load() override;
    Handle Picture1hDC() override;

private:
    Handle picture1Dc_ = 0;
};

}  // namespace

// The holder is never shown, so its window would only ever carry Picture1; the memory
// device context and its bitmap are all that the preview reads. They live until the
// process ends, as the holder window would.
void Win32PreviewHolder::Load() {
    std::vector<std::uint8_t> still = DecodePreviewStill();

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = PreviewBlockWidth;
    // Negative: rows from the top, as the still's pixels come.
    info.bmiHeader.biHeight = -PreviewBlockHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP image = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!dc || !image) {
        throw RuntimeError(ErrorCode::InvalidPropertyValue,
                           "the preview picture cannot be made");
    }
    // A new DIB section is all zero: black beyond the still, as the holder's background.
    auto* pixels = static_cast<std::uint8_t*>(bits);
    for (int y = 0; y < PreviewStillHeight; ++y) {
        for (int x = 0; x < PreviewStillWidth; ++x) {
            const std::uint8_t* rgb = &still[(y * PreviewStillWidth + x) * 3];
            std::uint8_t* bgrx = &pixels[(y * PreviewBlockWidth + x) * 4];
            bgrx[0] = rgb[2];
            bgrx[1] = rgb[1];
            bgrx[2] = rgb[0];
        }
    }
    GdiFlush();
    SelectObject(dc, image);
    picture1Dc_ = reinterpret_cast<Handle>(dc);
}

Handle Win32PreviewHolder::Picture1hDC() { return picture1Dc_; }

std::unique_ptr<PreviewHolder> NewWin32PreviewHolder() { return std::make_unique<Win32PreviewHolder>(); }

}  // namespace platform

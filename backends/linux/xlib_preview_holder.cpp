// frmPreview's native half on Linux: Picture1's persistent image as an X pixmap holding
// the still, with a device context that BitBlt can copy from.
#include <X11/Xutil.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "backends/linux/linux_backends.h"
#include "common/runtime_error.h"
#include "backends/linux/x_display_needed.h"
#include "backends/still/preview_still.h"

namespace platform {

namespace {

class XlibPreviewHolder : public PreviewHolder {
public:
    explicit XlibPreviewHolder(std::shared_ptr<XConnection> x) : x_(std::move(x)) {}

    void Load() override;
    Handle Picture1hDC() override;

private:
    std::shared_ptr<XConnection> x_;
    Handle picture1Dc_ = 0;
};

// The pixel value of an 8-bit colour component in a true-colour visual's channel mask.
unsigned long ComponentInMask(std::uint8_t value, unsigned long mask) {
    int shift = 0;
    while (mask && !(mask & 1ul)) {
        mask >>= 1;
        ++shift;
    }
    int bits = 0;
    while (mask & (1ul << bits)) ++bits;
    unsigned long scaled = bits >= 8 ? static_cast<unsigned long>(value) << (bits - 8)
                                     : static_cast<unsigned long>(value) >> (8 - bits);
    return scaled << shift;
}

}  // namespace

// The holder is never shown, so no window is made for it: the pixmap is Picture1's image.
// It lives until the process ends and its X connection closes, as the holder window would.
void XlibPreviewHolder::Load() {
    std::vector<std::uint8_t> still = DecodePreviewStill();
    Display* display = x_->Get();
    if (!display) throw RuntimeError(ErrorCode::InvalidArgument, XDisplayFailure("the preview"));
    int screen = DefaultScreen(display);
    Visual* visual = DefaultVisual(display, screen);
    unsigned depth = static_cast<unsigned>(DefaultDepth(display, screen));
    if (visual->c_class != TrueColor) {
        throw RuntimeError(ErrorCode::InvalidArgument, "the preview needs a true-colour display");
    }
    Pixmap image = XCreatePixmap(display, RootWindow(display, screen), PreviewBlockWidth,
                                 PreviewBlockHeight, depth);
    picture1Dc_ = x_->AddDeviceContext(image);
    const XDeviceContext* context = x_->FindDeviceContext(picture1Dc_);
    if (!context) throw RuntimeError(ErrorCode::InvalidArgument, "the preview's picture cannot be made");

    // Black beyond the still, as the holder's background.
    XSetForeground(display, context->gc, BlackPixel(display, screen));
    XFillRectangle(display, image, context->gc, 0, 0, PreviewBlockWidth, PreviewBlockHeight);

    XImage* picture = XCreateImage(display, visual, depth, ZPixmap, 0, nullptr, PreviewStillWidth,
                                   PreviewStillHeight, 32, 0);
    std::vector<char> bytes(static_cast<std::size_t>(picture->bytes_per_line) * PreviewStillHeight);
    picture->data = bytes.data();
    for (int y = 0; y < PreviewStillHeight; ++y) {
        for (int x = 0; x < PreviewStillWidth; ++x) {
            const std::uint8_t* rgb = &still[(y * PreviewStillWidth + x) * 3];
            XPutPixel(picture, x, y,
                      ComponentInMask(rgb[0], visual->red_mask) |
                          ComponentInMask(rgb[1], visual->green_mask) |
                          ComponentInMask(rgb[2], visual->blue_mask));
        }
    }
    XPutImage(display, image, context->gc, picture, 0, 0, 0, 0, PreviewStillWidth,
              PreviewStillHeight);
    // The pixel bytes belong to the vector, not to the image.
    picture->data = nullptr;
    XDestroyImage(picture);
    XSync(display, False);
}

Handle XlibPreviewHolder::Picture1hDC() { return picture1Dc_; }

std::unique_ptr<PreviewHolder> NewXlibPreviewHolder(std::shared_ptr<XConnection> x) {
    return std::make_unique<XlibPreviewHolder>(std::move(x));
}

}  // namespace platform

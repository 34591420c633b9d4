// frmPreview's native half on Linux: Picture1's persistent image as an X pixmap holding
// the still, with a device context that BitBlt can copy from.
#pragma once
#include "platform/preview_holder.h"

namespace platform {

class XlibPreviewHolder : public PreviewHolder {
public:
    void Load() override;
    Handle Picture1hDC() override;

private:
    Handle picture1Dc_ = 0;
};

}  // namespace platform

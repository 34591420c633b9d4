// frmPreview's native half on Windows: Picture1's persistent image as a memory device
// context holding a DIB section with the still.
#pragma once
#include "platform/preview_holder.h"

namespace platform {

class Win32PreviewHolder : public PreviewHolder {
public:
    void Load() override;
    Handle Picture1hDC() override;

private:
    Handle picture1Dc_ = 0;
};

}  // namespace platform

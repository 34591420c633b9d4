// The native half of the preview's holder window frmPreview: a window that is loaded but
// never shown, whose picture box Picture1 keeps the still in a persistent off-screen image.
#pragma once
#include "seams/windows_api.h"

namespace platform {

// The still is 151 x 119 pixels; the block copied into the preview window is a little
// larger, and Picture1's image covers the whole block, black beyond the still.
inline constexpr int PreviewStillWidth = 151;
inline constexpr int PreviewStillHeight = 119;
inline constexpr int PreviewBlockWidth = 160;
inline constexpr int PreviewBlockHeight = 120;

class PreviewHolder {
public:
    virtual ~PreviewHolder() = default;

    // Creates the holder unshown, with Picture1's image holding the still at (0, 0).
    virtual void Load() = 0;
    // Picture1's device context (its hDC), a source for WindowsApi::BitBlt; valid after Load.
    virtual Handle Picture1hDC() = 0;
};

}  // namespace platform

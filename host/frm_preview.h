// The preview's holder window: loaded but never shown; its only control, Picture1, holds
// the still that the preview copies into the Display Properties page.
#pragma once
#include "host/preview_holder.h"
#include "seams/windows_api.h"

class FrmPreview {
public:
    explicit FrmPreview(platform::PreviewHolder& holder) : holder_(holder) {}

    // Creates the window unshown; Picture1's persistent image then holds the still.
    void Load();
    // Picture1's device context.
    platform::Handle Picture1hDC();

private:
    platform::PreviewHolder& holder_;
};

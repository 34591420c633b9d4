// The preview's holder window: loaded but never shown; its only control, Picture1, holds
// the still that the preview copies into the Display Properties page.
#pragma once
#include "seams/windows_api.h"

class FrmPreview {
public:
    // Creates the window unshown; Picture1's persistent image then holds the still.
    void Load();
    // Picture1's device context.
    platform::Handle Picture1hDC();
};

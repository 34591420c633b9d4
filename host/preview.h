// The preview drawn into the Display Properties page.
#pragma once
#include "host/preview_holder.h"

namespace mScreenSaver {

// Draws the still into the window whose handle the command line gives, then ends the
// process; never returns. A command line without a handle, or with one beyond the 32-bit
// range, fails with a RuntimeError before anything is drawn. holder is frmPreview's
// native half.
void ShowPreview(platform::PreviewHolder& holder);

}  // namespace mScreenSaver

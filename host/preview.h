// The preview drawn into the Display Properties page.
#pragma once

namespace mScreenSaver {

// Draws the still into the window whose handle the command line gives, then ends the
// process; never returns. A command line without a handle, or with one beyond the 32-bit
// range, fails with a RuntimeError before anything is drawn.
void ShowPreview();

}  // namespace mScreenSaver

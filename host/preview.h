// The preview drawn into the Display Properties page.
#pragma once

namespace mScreenSaver {

// Draws the still into the window whose handle the command line gives, then ends the
// process; never returns.
void ShowPreview();

}  // namespace mScreenSaver

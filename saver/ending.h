// The one road by which the full-screen saver ends, the report of a set-up failure, and
// the two wrappers that undo the older family's screen-saver state.
#pragma once
#include <string>

#include "common/flags.h"

namespace mScreenSaver {

// Ends the process, unless the older family's password prompt refuses: then the cursor
// is hidden again, the window shown again, and the routine returns.
void EndSaver();

// Shows the message in a "Screen Saver" box, then runs EndSaver.
void ReportFatalError(const std::string& text);

// Both do something only under the password condition (older family, setting on).
void SetScreenSaverRunning(Flag running);
void SetSaverTopmost(Flag topmost);

}  // namespace mScreenSaver

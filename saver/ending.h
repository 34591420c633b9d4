// The one road by which the full-screen saver ends, the report of a set-up failure, the
// two wrappers that undo the older family's screen-saver state, and the platform family
// and password setting that decide whether the ending asks for the password.
#pragma once
#include <cstdint>
#include <string>

#include "common/flags.h"

namespace mScreenSaver {

// Written once by Main before the dispatch; read by the ending.
extern std::int32_t PlatformId;
extern Flag UsePassword;

// Ends the process, unless the older family's password prompt refuses: then the cursor
// is hidden again, the window shown again, and the routine returns.
void EndSaver();

// Shows the message in a "Screen Saver" box, then runs EndSaver.
void ReportFatalError(const std::string& text);

// Both do something only under the password condition (older family, setting on).
void SetScreenSaverRunning(Flag running);
void SetSaverTopmost(Flag topmost);

}  // namespace mScreenSaver

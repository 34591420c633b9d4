// Which settings files are read and which one is written: the file beside the executable
// wherever it can be written, otherwise the per-user file, which starts as a copy of it.
#pragma once
#include <string>
#include <vector>

#include "seams/toolkit.h"

namespace mScreenSaver {

struct SettingsFiles {
    // Where the readers look, first to last; each value comes from the first file that
    // holds it.
    std::vector<std::string> toRead;
    // Where the dialog writes.
    std::string toWrite;
    // The file whose lines the file to write starts with, at its first save; empty when
    // the file to write is the one beside the executable.
    std::string seed;
};

// Asks the disk as it stands now. Where the file beside the executable can be written it
// is the only settings file, read and written alike, so that a portable copy keeps its
// own settings whatever other copies saved for the user. Elsewhere the per-user file is
// read first and written, and the file beside the executable still gives what the
// per-user file lacks. Without a per-user folder the file beside the executable is all.
SettingsFiles FindSettingsFiles();

// Before the dialog's writes: a per-user file gets its folder and, at its first save,
// every line of the file beside the executable, so that nothing of it is lost (Ready at
// once for the file beside the executable).
platform::SeedOutcome ReadyFileToWrite(const SettingsFiles& files);

// Whether the writes may go ahead after that: also when nothing could be copied from a
// file that is no settings file, so that the user still gets one.
bool WritesMayFollow(platform::SeedOutcome outcome);

}  // namespace mScreenSaver

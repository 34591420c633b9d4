// What the settings dialog tells after its save: where the values went, which of them
// landed, and why the others did not.
#pragma once
#include <string>
#include <vector>

#include "seams/toolkit.h"

namespace dialog {

struct SavedValue {
    // The value's name as the dialog shows it.
    std::string label;
    // Whether the file reads back the value just written.
    bool landed;
};

struct SaveReport {
    // The file written, and the one whose lines it was to start with (empty when none).
    std::string file;
    std::string seed;
    platform::SeedOutcome seedOutcome = platform::SeedOutcome::Ready;
    std::vector<SavedValue> values;
    // What the profile functions or the disk said stopped a write.
    bool diskFull = false;
    bool tooLarge = false;
};

bool AllLanded(const SaveReport& report);

// The text of the message box that follows the save; empty when there is nothing to tell.
// A save that left out the lines it should have started with is told even when every
// value landed; a save where only some values landed names both kinds.
std::string SaveReportText(const SaveReport& report);

}  // namespace dialog

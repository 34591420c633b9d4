#include "dialog/save_report.h"

namespace dialog {

namespace {

std::string Labels(const SaveReport& report, bool landed) {
    std::string text;
    for (const SavedValue& value : report.values) {
        if (value.landed != landed) continue;
        text += (text.empty() ? "" : ", ") + value.label;
    }
    return text;
}

bool NoneLanded(const SaveReport& report) {
    for (const SavedValue& value : report.values)
        if (value.landed) return false;
    return true;
}

// Why a save failed, as the end of its first sentence.
std::string Reason(const SaveReport& report) {
    if (report.diskFull) return ": the disk is full.";
    if (report.tooLarge) return ": the settings file is too large.";
    return ".\nCheck that the file and its folder may be written to.";
}

// The lines of the seed that the new file goes without, and why.
std::string SeedLeftOut(const SaveReport& report) {
    switch (report.seedOutcome) {
    case platform::SeedOutcome::SourceNoFile:
        return "\nNothing of " + report.seed +
               " could be kept: it is no regular file that can be read (a folder, a device or a loop of links).";
    case platform::SeedOutcome::SourceTooLarge:
        return "\nNothing of " + report.seed + " could be kept: the settings file is too large.";
    default: return "";
    }
}

}  // namespace

bool AllLanded(const SaveReport& report) {
    for (const SavedValue& value : report.values)
        if (!value.landed) return false;
    return true;
}

std::string SaveReportText(const SaveReport& report) {
    if (AllLanded(report)) {
        std::string leftOut = SeedLeftOut(report);
        return leftOut.empty() ? leftOut : "The settings were saved to " + report.file + "." + leftOut;
    }
    if (NoneLanded(report)) return "The settings could not be saved to " + report.file + Reason(report);
    return "Only some of the settings could be saved to " + report.file + Reason(report) +
           "\nSaved: " + Labels(report, true) + ".\nNot saved: " + Labels(report, false) + ".";
}

}  // namespace dialog

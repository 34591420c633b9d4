// Choosing the settings files, through the toolkit's answers about the disk.
#include "settings/settings_files.h"

#include "seams/toolkit.h"
#include "settings/settings.h"

namespace mScreenSaver {

SettingsFiles FindSettingsFiles() {
    const std::string beside = IniFilePath();
    // The per-user folder is asked for only when needed: on Windows finding it loads a
    // system library that the saver otherwise never needs.
    if (platform::App().FileWritable(beside)) return {{beside}, beside, ""};
    const std::string perUser = UserIniFilePath();
    if (perUser.empty()) return {{beside}, beside, ""};
    return {{perUser, beside}, perUser, beside};
}

platform::SeedOutcome ReadyFileToWrite(const SettingsFiles& files) {
    if (files.seed.empty()) return platform::SeedOutcome::Ready;
    return platform::App().SeedFileFrom(files.toWrite, files.seed);
}

bool WritesMayFollow(platform::SeedOutcome outcome) {
    return outcome == platform::SeedOutcome::Ready || outcome == platform::SeedOutcome::SourceNoFile ||
           outcome == platform::SeedOutcome::SourceTooLarge;
}

}  // namespace mScreenSaver

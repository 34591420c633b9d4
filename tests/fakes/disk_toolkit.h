// A fake toolkit whose file questions and file seeding are the Linux code on real files,
// for tests of the settings store against real settings files.
#pragma once
#include "fakes/fake_toolkit.h"

namespace fakes {

class DiskToolkit : public FakeToolkit {
public:
    bool FileWritable(const std::string& path) override;
    // Recorded as the fake does, then done.
    platform::SeedOutcome SeedFileFrom(const std::string& to, const std::string& from) override;
};

// Installs a fresh disk toolkit with '/' paths: the executable in applicationFolder, the
// per-user settings in userFolder.
DiskToolkit& InstallDiskToolkit(const std::string& applicationFolder,
                                const std::string& userFolder);

}  // namespace fakes

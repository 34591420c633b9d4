#include "fakes/disk_toolkit.h"

#include "backends/linux/ini_file.h"

namespace fakes {

bool DiskToolkit::FileWritable(const std::string& path) { return platform::ini::CanSave(path); }

platform::SeedOutcome DiskToolkit::SeedFileFrom(const std::string& to, const std::string& from) {
    FakeToolkit::SeedFileFrom(to, from);
    return platform::ini::SeedFile(to, from);
}

DiskToolkit& InstallDiskToolkit(const std::string& applicationFolder,
                                const std::string& userFolder) {
    static DiskToolkit toolkit;
    toolkit = DiskToolkit();
    toolkit.folder = applicationFolder;
    toolkit.separator = '/';
    toolkit.userFolder = userFolder;
    platform::App.Install(toolkit);
    return toolkit;
}

}  // namespace fakes

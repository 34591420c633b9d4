// The hack added to the user's XScreenSaver list: ~/.xscreensaver, started from the
// system's list (app-defaults) when the user has none. The daemon and xscreensaver-settings
// read the file again when it changes.
#include <cstdlib>
#include <string>

#include "backends/linux/ini_file.h"
#include "backends/linux/linux_backends.h"
#include "backends/linux/xscreensaver_programs.h"
#include "common/runtime_error.h"

namespace platform {

namespace {

// Debian's XScreenSaver keeps its defaults, the full list among them, here.
constexpr const char* SystemResources = "/etc/X11/app-defaults/XScreenSaver";

[[noreturn]] void Refuse(const std::string& what) {
    throw RuntimeError(ErrorCode::InvalidArgument, what);
}

std::string UserResources() {
    const char* home = std::getenv("HOME");
    if (!home || home[0] != '/') Refuse("HOME does not name a folder, so there is no ~/.xscreensaver");
    return std::string(home) + "/.xscreensaver";
}

class XScreenSaverListing : public HackListing {
public:
    std::string AddToUserList() override {
        std::string path = UserResources();
        ini::FileContents user = ini::ReadWholeFile(path);
        if (user.outcome != ini::FileContents::Read && user.outcome != ini::FileContents::Missing)
            Refuse("cannot read " + path);
        ini::FileContents system = ini::ReadWholeFile(SystemResources);
        // A list of Kelvora alone would hide every other hack.
        if (!xscreensaver::HasProgramsList(user.bytes) && !xscreensaver::HasProgramsList(system.bytes))
            Refuse("found no list of hacks in " + std::string(SystemResources) +
                   ": is XScreenSaver installed?");
        auto listed = xscreensaver::WithKelvoraListed(user.bytes, system.bytes);
        std::string entry(xscreensaver::KelvoraEntry);
        if (!listed.added) return "Kelvora is already in the XScreenSaver list of " + path;
        if (!ini::SaveFile(path, listed.userFile)) Refuse("cannot write " + path);
        return "Added \"" + entry + "\" to the XScreenSaver list in " + path +
               ": choose Kelvora in xscreensaver-settings";
    }
};

}  // namespace

std::unique_ptr<HackListing> NewXScreenSaverListing() { return std::make_unique<XScreenSaverListing>(); }

}  // namespace platform

#include "backends/linux/ini_parsed_file.h"

#include <time.h>

#include "settings/settings.h"

namespace platform::ini {

namespace {

// A file's times have the file system's resolution (two seconds on some): a file changed
// again within the same tick would look unchanged. Only a file whose last change lies
// well before its reading is kept.
constexpr time_t SettledSeconds = 3;

bool Settled(const FileIdentity& identity) {
    struct timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    return identity.modified.tv_sec + SettledSeconds < now.tv_sec &&
           identity.changed.tv_sec + SettledSeconds < now.tv_sec;
}

}  // namespace

const Document* ParsedFile::Read(const std::string& path) {
    struct stat info;
    if (document_ && reusable_ && path == path_ && stat(path.c_str(), &info) == 0 &&
        FileIdentity::Of(info) == identity_)
        return &*document_;
    document_.reset();
    FileContents contents = ReadWholeFile(path, mScreenSaver::MaxIniFileBytes);
    if (contents.outcome != FileContents::Read) return nullptr;
    path_ = path;
    identity_ = contents.identity;
    reusable_ = Settled(identity_);
    document_.emplace(contents.bytes);
    return &*document_;
}

}  // namespace platform::ini

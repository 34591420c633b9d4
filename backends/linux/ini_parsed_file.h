// The settings file of the last read, parsed, kept for as long as the file stays exactly as
// it was: a reading pass (the saver's set-up, the dialog's opening) asks for one value at
// a time, and would otherwise read and parse the whole file for each.
#pragma once
#include <optional>
#include <string>

#include "backends/linux/ini_document.h"
#include "backends/linux/ini_file.h"

namespace platform::ini {

class ParsedFile {
public:
    // The file's document, read and parsed anew unless the one kept is of the same file in
    // the same state; nothing when the file is missing, unreadable or larger than
    // MaxIniFileBytes.
    const Document* Read(const std::string& path);

private:
    std::string path_;
    FileIdentity identity_;
    // Whether the file had settled when it was read (see the .cpp).
    bool reusable_ = false;
    std::optional<Document> document_;
};

}  // namespace platform::ini

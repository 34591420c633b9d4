// Reading a media file whole, refusing anything that is not a plain file of sane size.
#include "engine/media_file.h"

#include <sys/stat.h>

#include <cstdio>
#include <memory>

#include "common/runtime_error.h"

namespace engine {

namespace {

[[noreturn]] void Refuse(const char* what, const std::string& path, const std::string& why) {
    throw RuntimeError(ErrorCode::InvalidArgument, std::string("cannot read the ") + what + " " + path + ": " + why);
}

void CheckPlainFile(const struct stat& info, std::size_t maxBytes, const char* what, const std::string& path) {
    if (!S_ISREG(info.st_mode)) Refuse(what, path, "not a regular file");
    if (info.st_size < 0 || static_cast<unsigned long long>(info.st_size) > maxBytes)
        Refuse(what, path, "larger than " + std::to_string(maxBytes >> 20) + " MB");
}

}  // namespace

std::vector<std::uint8_t> ReadMediaFile(const std::string& path, std::size_t maxBytes, const char* what) {
    // Looked at before opening: opening a named pipe for reading waits for a writer.
    struct stat info;
    if (stat(path.c_str(), &info) != 0) Refuse(what, path, "it is missing");
    CheckPlainFile(info, maxBytes, what, path);
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
    if (!file) Refuse(what, path, "it cannot be opened");
    // And again once open, in case the name now leads elsewhere.
    if (fstat(fileno(file.get()), &info) != 0) Refuse(what, path, "it cannot be examined");
    CheckPlainFile(info, maxBytes, what, path);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(info.st_size));
    // One byte more than the size asks, so a file that grew meanwhile is seen, not cut.
    std::uint8_t beyond;
    if (std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size() ||
        std::fread(&beyond, 1, 1, file.get()) != 0)
        Refuse(what, path, "its size changed while it was read");
    return bytes;
}

}  // namespace engine

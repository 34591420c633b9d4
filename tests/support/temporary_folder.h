// A fresh folder under the system's temporary folder, removed with everything in it
// (read-only parts included) when the test is done.
#pragma once
#include <filesystem>
#include <string>

namespace fakes {

class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::string File(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// The bytes of a file, or "(missing)" when it cannot be read.
std::string FileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);

}  // namespace fakes

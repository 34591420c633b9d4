// A recording Windows whose profile functions are the Linux INI code on real files, for
// tests of the settings store against real settings files.
#pragma once
#include "backends/linux/ini_parsed_file.h"
#include "fakes/fake_windows_api.h"

namespace fakes {

class IniWindowsApi : public FakeWindowsApi {
public:
    std::uint32_t GetPrivateProfileStringA(const char* section, const char* key,
                                           const char* defaultText, char* buffer,
                                           std::uint32_t size, const char* file) override;
    std::int32_t WritePrivateProfileStringA(const char* section, const char* key,
                                            const char* value, const char* file) override;

private:
    platform::ini::ParsedFile parsed_;
};

IniWindowsApi& InstallIniWindowsApi();

}  // namespace fakes

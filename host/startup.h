// The saver's start: reading the platform family and password setting that the ending
// needs later, and the choice among settings, password change, preview and saver.
#pragma once
#include <cstdint>
#include <string>

#include "common/flags.h"
#include "seams/windows_api.h"

namespace mScreenSaver {

extern platform::OsVersionInfoA VersionRecord;

// Fill the ending's PlatformId and UsePassword (saver/ending.h).
void ReadWindowsVersion();
void ReadPasswordSetting();
std::string ReadRegistryString(std::uint32_t root, const std::string& subKey,
                               const std::string& valueName);
void DispatchCommandLine(const std::string& cmd);
void StartSaver();

}  // namespace mScreenSaver

namespace mMain {

// The start procedure.
void Main();

// Runs Main and then the windows it opened, and is the one place a failure that nothing
// else caught ends up: the taskbar comes back if the saver hid it, a one-line reason
// goes to standard error, and the process ends with a non-zero code.
int RunProcess();

}  // namespace mMain

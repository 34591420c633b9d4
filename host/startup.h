// The saver's start: reading the platform family and password setting that the ending
// needs later, and the choice among settings, password change, preview and saver.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "dialog/frm_settings.h"
#include "host/host_backends.h"
#include "saver/host_values.h"
#include "saver/saver_session.h"

namespace mMain {

// What one run of the process owns: the host's values and the mode the command line
// started. It outlives Main, because the windows Main opens go on after it returns.
struct ProcessState {
    mScreenSaver::HostValues host;
    std::unique_ptr<mScreenSaver::SaverSession> saver;
    std::unique_ptr<FrmSettings> frmSettings;
};

}  // namespace mMain

namespace mScreenSaver {

// Fill the host's PlatformId and UsePassword, which the saver's ending reads.
void ReadWindowsVersion(HostValues& host);
void ReadPasswordSetting(HostValues& host);
std::string ReadRegistryString(std::uint32_t root, const std::string& subKey,
                               const std::string& valueName);
void DispatchCommandLine(const std::string& cmd, mMain::ProcessState& process,
                         const mMain::HostBackends& backends);
void StartSaver(mMain::ProcessState& process);

}  // namespace mScreenSaver

namespace mMain {

// The start procedure; backends are the native parts the modes need.
void Main(ProcessState& process, const HostBackends& backends);

// Runs Main and then the windows it opened, and is the one place a failure that nothing
// else caught ends up: the taskbar comes back if the saver hid it, a one-line reason
// goes to standard error, and the process ends with a non-zero code.
int RunProcess(const HostBackends& backends);

}  // namespace mMain

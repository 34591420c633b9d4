// One run of the full-screen saver, made by the saver's start and living until the process
// ends: the window frmSaver with its scene, the exit detector's counters, the host's
// values that decide whether the ending asks for the password, and the ending itself.
#pragma once
#include <string>

#include "common/flags.h"
#include "saver/exit_detector.h"
#include "saver/frm_saver.h"
#include "saver/host_values.h"
#include "saver/saver_ending.h"

namespace mScreenSaver {

class SaverSession final : public SaverEnding {
public:
    explicit SaverSession(const HostValues& host) : host(host) {}
    SaverSession(const SaverSession&) = delete;
    SaverSession& operator=(const SaverSession&) = delete;

    void EndSaver() override;
    void ReportFatalError(const std::string& text) override;
    void CountMouseMove() override;

    // Both do something only under the password condition (older family, setting on).
    void SetScreenSaverRunning(Flag running);
    void SetSaverTopmost(Flag topmost);

    HostValues host;
    ExitDetector exitDetector;
    FrmSaver frmSaver{*this};
};

}  // namespace mScreenSaver

// The saver session's ending: the one road by which the full-screen saver ends, the report
// of a set-up failure, and the two wrappers that undo the older family's screen-saver state.
#include "saver/saver_session.h"

#include <cstdint>
#include <exception>

#include "common/event_note.h"
#include "saver/taskbar.h"
#include "seams/toolkit.h"
#include "seams/windows_api.h"

namespace mScreenSaver {

namespace {

// Past its first step the ending must reach the end of the process whatever fails.
template <typename Step>
void IgnoringFailure(Step step) {
    try {
        step();
    } catch (const std::exception&) {
    }
}

}  // namespace

void SaverSession::EndSaver() {
    frmSaver.ShowWinCursor(True);

    if (host.PasswordCondition()) {
        std::int32_t answer = 0;
        IgnoringFailure([&] { answer = platform::Windows().VerifyScreenSavePwd(frmSaver.hWnd()); });
        if ((answer & 0xFFFF) == 0) {
            IgnoringFailure([this] { frmSaver.ShowWinCursor(False); });
            IgnoringFailure([this] { frmSaver.Show(); });
            return;
        }
        IgnoringFailure([this] { SetScreenSaverRunning(False); });
        IgnoringFailure([this] { SetSaverTopmost(False); });
    }

    IgnoringFailure([this] { frmSaver.Unload(); });
    IgnoringFailure([this] { ShowTaskbar(True); });
    NoteEvent("ending 0");
    platform::App().EndProcess(0);
}

void SaverSession::ReportFatalError(const std::string& text) {
    SetSaverTopmost(False);
    NoteEvent("message-box " + QuotedForEvent("Screen Saver") + " " + QuotedForEvent(text));
    platform::App().ShowMessageBox(text, platform::MbIconExclamation | platform::MbOk,
                                   "Screen Saver");
    NoteEvent("message-box-closed");
    EndSaver();
}

void SaverSession::SetScreenSaverRunning(Flag running) {
    if (!host.PasswordCondition()) return;
    // Receives the previous state, which nobody reads.
    std::uint32_t previous = 0;
    platform::Windows().SystemParametersInfoA(platform::SpiScreenSaverRunning, running ? 1 : 0,
                                              &previous, 0);
}

void SaverSession::SetSaverTopmost(Flag topmost) {
    if (!host.PasswordCondition()) return;
    platform::Windows().SetWindowPos(frmSaver.hWnd(),
                                     topmost ? platform::HwndTopmost : platform::HwndNoTopmost,
                                     0, 0, 0, 0, platform::SwpNoMove | platform::SwpNoSize);
}

void SaverSession::CountMouseMove() {
    if (exitDetector.CountMouseMove()) EndSaver();
}

}  // namespace mScreenSaver

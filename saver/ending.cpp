// The ending's road and the password condition that decides its first step.
#include "saver/ending.h"

#include <cstdint>
#include <exception>

#include "common/event_note.h"
#include "saver/frm_saver.h"
#include "saver/taskbar.h"
#include "seams/toolkit.h"
#include "seams/windows_api.h"

namespace mScreenSaver {

std::int32_t PlatformId = 0;
Flag UsePassword = 0;

namespace {

// Older family with the password setting on, as the 16-bit and of the two.
bool PasswordCondition() {
    Flag olderFamily = ToFlag(PlatformId != static_cast<std::int32_t>(platform::VerPlatformWin32Nt));
    return (olderFamily & UsePassword) != 0;
}

// Past its first step the ending must reach the end of the process whatever fails.
template <typename Step>
void IgnoringFailure(Step step) {
    try {
        step();
    } catch (const std::exception&) {
    }
}

}  // namespace

void EndSaver() {
    frmSaver.ShowWinCursor(True);

    if (PasswordCondition()) {
        std::int32_t answer = 0;
        IgnoringFailure([&] { answer = platform::Windows().VerifyScreenSavePwd(frmSaver.hWnd()); });
        if ((answer & 0xFFFF) == 0) {
            IgnoringFailure([] { frmSaver.ShowWinCursor(False); });
            IgnoringFailure([] { frmSaver.Show(); });
            return;
        }
        IgnoringFailure([] { SetScreenSaverRunning(False); });
        IgnoringFailure([] { SetSaverTopmost(False); });
    }

    IgnoringFailure([] { frmSaver.Unload(); });
    IgnoringFailure([] { ShowTaskbar(True); });
    NoteEvent("ending 0");
    platform::App().EndProcess(0);
}

void ReportFatalError(const std::string& text) {
    SetSaverTopmost(False);
    NoteEvent("message-box " + QuotedForEvent("Screen Saver") + " " + QuotedForEvent(text));
    platform::App().ShowMessageBox(text, platform::MbIconExclamation | platform::MbOk,
                                   "Screen Saver");
    NoteEvent("message-box-closed");
    EndSaver();
}

void SetScreenSaverRunning(Flag running) {
    if (!PasswordCondition()) return;
    // Receives the previous state, which nobody reads.
    std::uint32_t previous = 0;
    platform::Windows().SystemParametersInfoA(platform::SpiScreenSaverRunning, running ? 1 : 0,
                                              &previous, 0);
}

void SetSaverTopmost(Flag topmost) {
    if (!PasswordCondition()) return;
    platform::Windows().SetWindowPos(frmSaver.hWnd(),
                                     topmost ? platform::HwndTopmost : platform::HwndNoTopmost,
                                     0, 0, 0, 0, platform::SwpNoMove | platform::SwpNoSize);
}

}  // namespace mScreenSaver

// ShowPreview: the still copied into the preview window whose handle follows "/P".
#include "host/preview.h"

#include <cstdint>
#include <string>

#include "common/numeric_text.h"
#include "common/runtime_error.h"
#include "common/text.h"
#include "host/frm_preview.h"
#include "seams/toolkit.h"
#include "seams/windows_api.h"

namespace mScreenSaver {

namespace {

// The only wait before and after drawing: the window system gets this many passes.
constexpr int EventPumpsAroundDrawing = 200;

void PumpEvents() {
    for (int pass = 1; pass <= EventPumpsAroundDrawing; ++pass) platform::App().DoEvents();
}

// The handle after the switch, read from the untouched command line: its first three
// characters ("/P" and the separator) dropped, the rest read as a number. The failures
// keep their codes but say what was wrong with the command line.
std::int32_t PreviewWindowHandle() {
    std::string raw = platform::App().CommandLineArguments();
    std::string remainder;
    try {
        remainder = RightChars(raw, static_cast<long long>(raw.size()) - 3);
    } catch (const RuntimeError& failure) {
        throw RuntimeError(failure.code(), "the preview needs a window handle after /P");
    }
    try {
        return RoundToInt32(NumericValue(remainder));
    } catch (const RuntimeError& failure) {
        throw RuntimeError(failure.code(),
                           "the preview window handle lies outside the 32-bit range");
    }
}

}  // namespace

void ShowPreview(platform::PreviewHolder& holder) {
    // The holder window lives as long as the preview, which ends the process.
    FrmPreview frmPreview(holder);
    frmPreview.Load();
    PumpEvents();
    std::int32_t handle = PreviewWindowHandle();
    // Handle 0 would give the whole screen's device context and draw over whatever lies
    // at its top-left corner; no preview window has that handle, so nothing is drawn.
    if (handle != 0) {
        platform::WindowsApi& windows = platform::Windows();
        platform::Handle dc = windows.GetDC(handle);
        platform::Handle picture = frmPreview.Picture1hDC();
        windows.BitBlt(dc, 0, 0, platform::PreviewBlockWidth, platform::PreviewBlockHeight,
                       picture, 0, 0, platform::SrcCopy);
        windows.ReleaseDC(handle, dc);
    }
    PumpEvents();
    platform::App().EndProcess(0);
}

}  // namespace mScreenSaver

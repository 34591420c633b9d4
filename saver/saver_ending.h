// What the full-screen saver window asks of the session it runs in: the one road by which
// the saver ends, and the exit detector that counts the window's mouse moves. The window
// knows the session only through this, so that the session can own the window.
#pragma once
#include <string>

namespace mScreenSaver {

class SaverEnding {
public:
    // Ends the process, unless the older family's password prompt refuses: then the
    // cursor is hidden again, the window shown again, and the routine returns.
    virtual void EndSaver() = 0;
    // Shows the message in a "Screen Saver" box, then runs EndSaver.
    virtual void ReportFatalError(const std::string& text) = 0;
    // One qualifying mouse move for the exit detector; the third ends the saver.
    virtual void CountMouseMove() = 0;

protected:
    ~SaverEnding() = default;
};

}  // namespace mScreenSaver

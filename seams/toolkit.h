// The windowing toolkit's process services: the command line, the application folder,
// the per-user settings folder and the file questions of the settings store, the
// previous-instance test, the clock, random numbers, the event pump, message boxes and
// the end of the process. The native half of each window has a header of its own.
#pragma once
#include <string>

#include "seams/slot.h"

namespace platform {

inline constexpr int MbOk = 0;
inline constexpr int MbIconExclamation = 48;

// How readying a file for its first save went.
enum class SeedOutcome {
    // The folders are there, and the copy too unless there was nothing to copy.
    Ready,
    // The file to copy is there but is no regular file (a folder, a device, a loop of
    // links), or larger than a settings file may be: nothing was copied, the folders are
    // there, and the writes may make the file.
    SourceNoFile,
    SourceTooLarge,
    // Nothing was left behind: the disk had no room, or anything else failed.
    DiskFull,
    Failed,
};

class Toolkit {
public:
    virtual ~Toolkit() = default;

    // Everything after the program name, exactly as the process received it.
    virtual std::string CommandLineArguments() = 0;
    // The executable's folder, without a trailing separator except at a drive root.
    virtual std::string ApplicationFolder() = 0;
    // '\\' on Windows, '/' elsewhere.
    virtual char PathSeparator() = 0;
    // This user's folder for the program's settings (%APPDATA%\Kelvora on Windows,
    // $XDG_CONFIG_HOME/kelvora elsewhere), without a trailing separator; it may not exist
    // yet. Empty when the system names no such folder.
    virtual std::string UserSettingsFolder() = 0;
    // True when a save may write the file: an existing file that lets itself be written
    // (whatever its folder allows), or a missing one whose folder lets it be made.
    virtual bool FileWritable(const std::string& path) = 0;
    // Readies `to` for its first write: makes its folder and any missing one above it, and
    // unless `to` exists already, copies every byte of `from` into it (nothing to copy when
    // `from` is missing); the copy may be written whatever `from` allowed.
    virtual SeedOutcome SeedFileFrom(const std::string& to, const std::string& from) = 0;
    // True when another instance of this program, in any mode, is running.
    virtual bool PreviousInstanceRunning() = 0;
    // Seconds since local midnight, with fractions.
    virtual double TimeOfDay() = 0;
    // Uniform on [0, 1); never seeded, so every run draws the same sequence.
    virtual float Random() = 0;
    // Handles every pending window-system event once.
    virtual void DoEvents() = 0;
    // After the start procedure returns: handles events for as long as a window of the
    // process is open, then returns.
    virtual void RunWhileWindowsOpen() = 0;
    // Waits until the user closes the box.
    virtual void ShowMessageBox(const std::string& text, int style, const std::string& caption) = 0;
    // Ends the process at once: no window event and no other code runs after it.
    [[noreturn]] virtual void EndProcess(int exitCode) = 0;
};

inline Slot<Toolkit> App{"Toolkit"};

}  // namespace platform

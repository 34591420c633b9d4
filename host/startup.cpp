#include "host/startup.h"

#include <cstdio>
#include <vector>

#include "common/event_note.h"
#include "common/numeric_text.h"
#include "common/runtime_error.h"
#include "common/text.h"
#include "dialog/frm_settings.h"
#include "host/hack_mode.h"
#include "host/preview.h"
#include "saver/taskbar.h"
#include "seams/toolkit.h"

namespace mScreenSaver {

namespace {

// The first predefined key, HKEY_CLASSES_ROOT, and the last, HKEY_DYN_DATA.
constexpr std::uint32_t FirstPredefinedKey = 0x80000000u;
constexpr std::uint32_t LastPredefinedKey = 0x80000006u;
constexpr std::uint32_t RegistryBufferSize = 255;

// A handle text as a 32-bit handle; a number beyond that range names no window.
std::int32_t HandleFromText(const std::string& text) {
    try {
        return RoundToInt32(NumericValue(text));
    } catch (const RuntimeError&) {
        return 0;
    }
}

void ChangePassword() {
    std::string raw = platform::App().CommandLineArguments();
    std::string kept = RightChars(raw, static_cast<long long>(raw.size()) - 2);
    platform::Windows().PwdChangePasswordA("SCRSAVE", HandleFromText(kept), 0, 0);
}

void StartSaverUnlessRunning(mMain::ProcessState& process) {
    if (platform::App().PreviousInstanceRunning()) platform::App().EndProcess(0);
    StartSaver(process);
}

}  // namespace

void ReadWindowsVersion(HostValues& host) {
    platform::OsVersionInfoA VersionRecord;
    VersionRecord.dwOSVersionInfoSize = sizeof(platform::OsVersionInfoA);
    platform::Windows().GetVersionExA(VersionRecord);
    host.PlatformId = static_cast<std::int32_t>(VersionRecord.dwPlatformId);
}

void ReadPasswordSetting(HostValues& host) {
    std::string text = ReadRegistryString(platform::HkeyCurrentUser, "Control Panel\\Desktop",
                                          "ScreenSaveUsePassword");
    try {
        host.UsePassword = RoundToInt16(NumericValue(text));
    } catch (const RuntimeError&) {
        // Only a non-zero number can be out of range, and every non-zero setting is on.
        host.UsePassword = True;
    }
}

std::string ReadRegistryString(std::uint32_t root, const std::string& subKey,
                               const std::string& valueName) {
    if (root < FirstPredefinedKey || root > LastPredefinedKey) return "";
    platform::WindowsApi& windows = platform::Windows();
    platform::Handle key = 0;
    if (windows.RegOpenKeyExA(root, subKey.c_str(), 0, platform::KeyRead, key) != 0) return "";

    std::string result;
    std::vector<unsigned char> buffer(RegistryBufferSize, ' ');
    std::uint32_t type = 0;
    std::uint32_t length = RegistryBufferSize;
    if (windows.RegQueryValueExA(key, valueName.c_str(), 0, type, buffer.data(), length) == 0) {
        std::string text(buffer.begin(), buffer.end());
        if (type == platform::RegDword) {
            // A single, as the setting has always been read; "000" pads to three digits.
            float n = static_cast<float>(buffer[0] + 256.0 * buffer[1] + 65536.0 * buffer[2] +
                                         16777216.0 * buffer[3]);
            char digits[32];
            std::snprintf(digits, sizeof digits, "%03.0f", static_cast<double>(n));
            text = digits;
        }
        result = length == 0 ? "" : LeftChars(text, length - 1);
    }
    windows.RegCloseKey(key);
    return result;
}

void DispatchCommandLine(const std::string& cmd, mMain::ProcessState& process,
                         const mMain::HostBackends& backends) {
    std::string s = LeftChars(cmd, 2);
    if (s == "/C") {
        process.frmSettings = std::make_unique<FrmSettings>(*backends.settingsWindows);
        process.frmSettings->Load();
        process.frmSettings->Show();
    } else if (s == "/A") {
        ChangePassword();
    } else if (s.empty() || s == "/S") {
        StartSaverUnlessRunning(process);
    } else if (s == "/P") {
        ShowPreview(*backends.previewHolder);
    } else {
        StartSaverUnlessRunning(process);
    }
}

void StartSaver(mMain::ProcessState& process) {
    ShowTaskbar(False);
    process.saver = std::make_unique<SaverSession>(process.host);
    process.saver->frmSaver.Load();
}

}  // namespace mScreenSaver

namespace mMain {

void Main(ProcessState& process, const HostBackends& backends) {
    std::string arguments = TrimBlanks(platform::App().CommandLineArguments());
    // A screen-saver daemon's hack lives by the daemon's rules, not by the Windows
    // protocol's: it needs neither the platform family nor the password setting.
    if (mScreenSaver::HackModeAsked(arguments, backends)) return mScreenSaver::RunHack(arguments, backends);
    mScreenSaver::ReadWindowsVersion(process.host);
    mScreenSaver::ReadPasswordSetting(process.host);
    mScreenSaver::DispatchCommandLine(UpperCase(arguments), process, backends);
}

int RunProcess(const HostBackends& backends) {
    ProcessState process;
    try {
        Main(process, backends);
        platform::App().RunWhileWindowsOpen();
        // The saver window can be closed from outside (by the window system, or on Linux by
        // SIGTERM or SIGINT through SDL), and the saver then ends here.
        mScreenSaver::RestoreTaskbarIfHidden();
        if (process.saver) NoteEvent("ending 0");
        return 0;
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "kelvora: %s\n", failure.what());
    } catch (...) {
        std::fprintf(stderr, "kelvora: unexpected failure\n");
    }
    mScreenSaver::RestoreTaskbarIfHidden();
    std::fflush(stderr);
    return 1;
}

}  // namespace mMain

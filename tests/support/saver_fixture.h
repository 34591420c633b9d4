// The full-screen saver against fakes of every seam: the recording engine, the saver
// window, Windows and a toolkit whose event pump a test can act in.
#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "fakes/call_log.h"
#include "fakes/fake_display.h"
#include "fakes/fake_engine.h"
#include "fakes/fake_windows_api.h"
#include "fakes/pumping_toolkit.h"
#include "saver/saver_session.h"
#include "settings/settings_table.h"

namespace saver_test {

inline const std::string IniFile = "C:\\Program Files\\Kelvora\\kelvora.ini";
inline const std::string MediaFolder = "C:\\Program Files\\Kelvora\\durnwick\\kelvora\\";
// The fake window's handle and the fake taskbar's, as the journal prints them.
inline const std::string Window = std::to_string(fakes::SaverWindow);
inline const std::string TaskbarShown = "SetWindowPos(31324, 0, 0, 0, 0, 0, 0x40)";

// Where a run of the saver stopped.
struct Outcome {
    bool processEnded = false;
    int exitCode = -1;
};

class SaverTest : public ::testing::Test {
protected:
    void SetUp() override {
        windows = &fakes::InstallFakeWindowsApi();
        toolkit = &fakes::InstallPumpingToolkit();
        engines = &fakes::InstallFakeEngine();
        display = &fakes::InstallFakeDisplay();
        // A fresh session on the NT family; whatever an earlier one held is released
        // before the journal starts.
        session = std::make_unique<mScreenSaver::SaverSession>(mScreenSaver::HostValues{2, 0});
        // The texts the expected set-up values below are worked out from.
        SetIni(mScreenSaver::CandleHeightSetting, "10");
        SetIni(mScreenSaver::CandleBrightnessSetting, "200");
        SetIni(mScreenSaver::CandleColorSetting, "145151");
        SetIni(mScreenSaver::MovePumpkinSetting, "0");
        fakes::Log().Clear();
    }

    // Stores the text as the dialog writes it, under its own spelling of the key.
    void SetIni(const mScreenSaver::SettingDefinition& setting, const std::string& value) {
        windows->profile[IniEntry(setting)] = value;
    }

    static std::string IniEntry(const mScreenSaver::SettingDefinition& setting) {
        return fakes::FakeWindowsApi::ProfileKey(IniFile, setting.section, setting.writtenKey);
    }

    // The window system closes the saver window during the given pump.
    void CloseWindowAtPump(int pump) {
        toolkit->onDoEvents = [pump](int n) {
            if (n == pump) fakes::CloseSaverWindowFromOutside();
        };
    }

    Outcome Load() {
        Outcome outcome;
        try {
            frmSaver().Load();
        } catch (const fakes::ProcessEnded& ended) {
            outcome.processEnded = true;
            outcome.exitCode = ended.exitCode;
        }
        return outcome;
    }

    static const std::vector<std::string>& Calls() { return fakes::Log().Calls(); }

    static bool Logged(const std::string& call) {
        return std::find(Calls().begin(), Calls().end(), call) != Calls().end();
    }

    static std::ptrdiff_t IndexOf(const std::string& call, std::ptrdiff_t from = 0) {
        auto found = std::find(Calls().begin() + from, Calls().end(), call);
        return found == Calls().end() ? -1 : found - Calls().begin();
    }

    // The journal from the first occurrence of `first` (inclusive) on, `count` entries.
    static std::vector<std::string> CallsFrom(const std::string& first, std::size_t count,
                                              std::ptrdiff_t from = 0) {
        std::ptrdiff_t start = IndexOf(first, from);
        if (start < 0) return {"<" + first + " not called>"};
        auto end = std::min(Calls().begin() + start + count, Calls().end());
        return {Calls().begin() + start, end};
    }

    static std::string MessageBox(const std::string& text) {
        return fakes::Call("MessageBox", text, 48, "Screen Saver");
    }

    FrmSaver& frmSaver() { return session->frmSaver; }

    std::unique_ptr<mScreenSaver::SaverSession> session;
    fakes::FakeWindowsApi* windows = nullptr;
    fakes::PumpingToolkit* toolkit = nullptr;
    fakes::FakeEngineObjects* engines = nullptr;
    fakes::FakeDisplay* display = nullptr;
};

}  // namespace saver_test

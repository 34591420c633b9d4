// The settings dialog: loads the four settings into its controls, lets the user change,
// reset and colour them, opens the two web links, and writes the settings back however
// it is closed.
#pragma once
#include <memory>

#include "dialog/settings_controls.h"
#include "dialog/settings_view.h"
#include "dialog/settings_window.h"
#include "settings/settings.h"

class FrmSettings : public dialog::SettingsEvents {
public:
    // windows makes the dialog's native window at Load.
    explicit FrmSettings(dialog::SettingsWindowFactory& windows);
    ~FrmSettings() override;

    // Creates the window and fills the controls from the settings file.
    void Load();
    // Shows the window, non-modal and without an owner.
    void Show();

    void Click(dialog::ControlId button) override;
    void Form_Unload() override;

    // The four settings as texts, filled on the way from the file and back to it.
    mScreenSaver::SettingsRecord Settings;

private:
    void Form_Load();
    void CmdFriend_Click();
    void CmdWebsite_Click();
    void CmdClose_Click();
    void CommandDefault_Click();
    void CmdCandleColor_Click();
    // Runs the unload steps and takes the window away.
    void Unload();

    dialog::SettingsWindowFactory& windows_;
    std::unique_ptr<dialog::SettingsView> view_;
    std::unique_ptr<dialog::SettingsControlSet> controls_;
};

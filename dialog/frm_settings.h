// The settings dialog.
#pragma once

class FrmSettings {
public:
    // Fills the controls from the settings file.
    void Load();
    // Shows the window, non-modal and without an owner.
    void Show();
};

extern FrmSettings frmSettings;

// The full-screen saver window.
#pragma once

class FrmSaver {
public:
    // Runs the scene set-up, shows the window and runs the frame loop.
    void Load();
};

extern FrmSaver frmSaver;

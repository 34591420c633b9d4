#include "scene/frm_saver.h"

FrmSaver frmSaver;

void FrmSaver::Show() {
    if (window_) platform::display::ShowSaverWindow(window_);
}

void FrmSaver::CloseFromOutside() {
    try {
        Unload();
    } catch (...) {
        closeFailure_ = std::current_exception();
    }
}

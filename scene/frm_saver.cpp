#include "scene/frm_saver.h"

FrmSaver frmSaver;

void FrmSaver::Show() {
    if (window_) platform::SaverWindows().Show(window_);
}

void FrmSaver::CloseFromOutside() {
    try {
        Unload();
    } catch (...) {
        closeFailure_ = std::current_exception();
    }
}

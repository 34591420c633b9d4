#include "scene/frm_saver.h"

FrmSaver frmSaver;

void FrmSaver::Load() {}

#include "dialog/frm_settings.h"

FrmSettings frmSettings;

void FrmSettings::Load() {}
void FrmSettings::Show() {}

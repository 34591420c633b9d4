// frmPreview has no code of its own: its window and picture are the platform's native half.
#include "host/frm_preview.h"

void FrmPreview::Load() { holder_.Load(); }

platform::Handle FrmPreview::Picture1hDC() { return holder_.Picture1hDC(); }

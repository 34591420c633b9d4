// frmPreview has no code of its own: its window and picture are the platform's native half.
#include "host/frm_preview.h"

#include "host/preview_holder.h"

void FrmPreview::Load() { platform::PreviewHolderWindow().Load(); }

platform::Handle FrmPreview::Picture1hDC() { return platform::PreviewHolderWindow().Picture1hDC(); }

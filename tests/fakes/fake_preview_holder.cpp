#include "fakes/fake_preview_holder.h"

#include "fakes/call_log.h"

namespace fakes {

void FakePreviewHolder::Load() { Log().Add("frmPreview.Load()"); }

platform::Handle FakePreviewHolder::Picture1hDC() {
    Log().Add("Picture1.hDC()");
    return Picture1Dc;
}

FakePreviewHolder& FakePreviewHolderWindow() {
    static FakePreviewHolder holder;
    return holder;
}

}  // namespace fakes

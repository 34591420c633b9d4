#include "fakes/fake_host_backends.h"

#include "fakes/fake_preview_holder.h"
#include "fakes/fake_settings_view.h"

namespace fakes {

mMain::HostBackends FakeHostBackends() { return {&FakeSettingsWindows(), &FakePreviewHolderWindow()}; }

}  // namespace fakes

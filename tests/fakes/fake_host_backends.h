// The host's native parts as the tests hand them over: the fake preview holder and fake
// settings windows; no hack windows, as on a platform without a screen-saver daemon.
#pragma once
#include "host/host_backends.h"

namespace fakes {

mMain::HostBackends FakeHostBackends();

}  // namespace fakes

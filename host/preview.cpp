#include "host/preview.h"

#include "platform/toolkit.h"

namespace mScreenSaver {

void ShowPreview() { platform::App().EndProcess(0); }

}  // namespace mScreenSaver

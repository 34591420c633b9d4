// The one GL context of the engine: made on the display's window, loaded through glad,
// and asked about before any GL object is freed, since a freed context takes them along.
#pragma once
#include "seams/display.h"

namespace engine {

void StartGlContext(platform::WindowHandle window);
void StopGlContext(platform::WindowHandle window);
bool GlContextAlive();

}  // namespace engine

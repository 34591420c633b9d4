// The one GL context of the engine: made on the display's window, loaded through glad,
// and asked about before any GL object is freed, since a freed context takes them along.
#pragma once
#include "seams/display.h"

namespace engine {

void StartGlContext(platform::WindowHandle window);
void StopGlContext(platform::WindowHandle window);
bool GlContextAlive();

// What the current context offers: whether it rasterises on the processor (Mesa's
// llvmpipe or softpipe, Windows' own), the samples a pixel it gives of those wanted, and
// whether the bound framebuffer has a depth buffer to draw a scene with.
bool SoftwareRenderer();
int OfferedSamples(int wanted);
bool WindowHasDepth();

}  // namespace engine

// The saver's scene rendered by our engine, as a picture to cut stills from.
#pragma once
#include <string>

#include "engine/gl_engine_objects.h"
#include "picture.h"

namespace stills {

// Renders the saver's scene, set up from the media folder's model, particle texture and
// settings file, after `seconds` of simulated frames at 30 a second, so that the flame
// has risen. Opaque, 800 x 600. The engines are the installed ones; the engine's window
// needs a display.
media::Picture RenderCandleScene(engine::GlEngineObjects& engines, const std::string& mediaFolder,
                                 double seconds);

}  // namespace stills

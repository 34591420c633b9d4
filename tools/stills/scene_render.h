// The saver's scene rendered by our engine, as a picture to cut stills from.
#pragma once
#include <string>

#include "picture.h"

namespace stills {

// Renders the scene with the set-up's values from the media folder's model and particle
// texture, after `seconds` of simulated frames at 30 a second, so that the flame has
// risen. Opaque, 800 x 600. Needs a display for the engine's window.
media::Picture RenderCandleScene(const std::string& mediaFolder, double seconds);

}  // namespace stills
